// A move-only owner of one system handle. Traits says what empty is, which values
// are valid (some kinds use INVALID_HANDLE_VALUE as well as null for none) and how
// one is closed; the owner closes a valid handle once, when it is reset or destroyed.
// A leaf header: the driver layer and the window framework both build on it.
#pragma once

#include <utility>

template <typename Handle, typename Traits>
class CUniqueHandle {
public:
    CUniqueHandle() = default;
    explicit CUniqueHandle(Handle handle) : m_handle(handle) {}
    ~CUniqueHandle() { Reset(); }
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return Traits::IsValid(m_handle); }
    Handle Release() { return std::exchange(m_handle, Traits::Empty()); }
    void Reset(Handle handle = Traits::Empty())
    {
        if (Traits::IsValid(m_handle))
            Traits::Close(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = Traits::Empty();
};

// The traits of a kind whose only empty value is null.
template <typename Handle, auto CloseFunction>
struct NullIsEmptyTraits {
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { CloseFunction(h); }
};
