// Text fields of driver records are fixed arrays of 8-bit characters. A driver may
// fill one without a terminator, so reads stop at the end of the field.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

template <size_t N>
std::string_view FieldText(const char (&field)[N])
{
    const void* end = std::memchr(field, '\0', N);
    const size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - field) : N;
    return std::string_view(field, length);
}

// Stores at most N - 1 characters and zero-fills the rest, so the last byte is
// always the terminator.
template <size_t N>
void SetFieldText(char (&field)[N], std::string_view text)
{
    static_assert(N > 0);
    const size_t length = text.size() < N - 1 ? text.size() : N - 1;
    if (length > 0)   // an empty view may carry no data pointer at all
        std::memcpy(field, text.data(), length);
    std::memset(field + length, 0, N - length);
}
