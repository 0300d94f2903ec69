// Owners of the system handles the framework and the panel keep. Each is move-only
// and treats both null and INVALID_HANDLE_VALUE as empty where the kind has them.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>
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

struct KernelHandleTraits {
    static HANDLE Empty() { return nullptr; }
    static bool IsValid(HANDLE h) { return h && h != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct MenuTraits {
    static HMENU Empty() { return nullptr; }
    static bool IsValid(HMENU h) { return h != nullptr; }
    static void Close(HMENU h) { ::DestroyMenu(h); }
};
struct AcceleratorTraits {
    static HACCEL Empty() { return nullptr; }
    static bool IsValid(HACCEL h) { return h != nullptr; }
    static void Close(HACCEL h) { ::DestroyAcceleratorTable(h); }
};
struct ImageListTraits {
    static HIMAGELIST Empty() { return nullptr; }
    static bool IsValid(HIMAGELIST h) { return h != nullptr; }
    static void Close(HIMAGELIST h) { ::ImageList_Destroy(h); }
};
struct DeviceNotifyTraits {
    static HDEVNOTIFY Empty() { return nullptr; }
    static bool IsValid(HDEVNOTIFY h) { return h != nullptr; }
    static void Close(HDEVNOTIFY h) { ::UnregisterDeviceNotification(h); }
};
struct IconTraits {
    static HICON Empty() { return nullptr; }
    static bool IsValid(HICON h) { return h != nullptr; }
    static void Close(HICON h) { ::DestroyIcon(h); }
};

struct ModuleTraits {
    static HMODULE Empty() { return nullptr; }
    static bool IsValid(HMODULE h) { return h != nullptr; }
    static void Close(HMODULE h) { ::FreeLibrary(h); }
};

using CKernelHandle = CUniqueHandle<HANDLE, KernelHandleTraits>;
using CMenuHandle = CUniqueHandle<HMENU, MenuTraits>;
using CAcceleratorHandle = CUniqueHandle<HACCEL, AcceleratorTraits>;
using CImageListHandle = CUniqueHandle<HIMAGELIST, ImageListTraits>;
using CDeviceNotifyHandle = CUniqueHandle<HDEVNOTIFY, DeviceNotifyTraits>;
using CIconHandle = CUniqueHandle<HICON, IconTraits>;
using CModuleHandle = CUniqueHandle<HMODULE, ModuleTraits>;
