#include "ui/ResourceText.h"

#include "text/FormatText.h"

std::string LoadResString(UINT id)
{
    // With a zero buffer size LoadString hands out a read-only pointer to the
    // resource itself, which is UTF-16; the ANSI call copies and converts instead.
    char buffer[1024];
    const int length = ::LoadStringA(::GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

std::string LoadPromptString(UINT id)
{
    std::string text = LoadResString(id);
    const size_t newline = text.find('\n');
    if (newline != std::string::npos)
        text.resize(newline);
    return text;
}

std::wstring LoadResStringW(UINT id)
{
    // With a zero buffer size LoadStringW hands out a read-only pointer to the
    // resource itself, which holds no terminator, and returns its length.
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

std::string FormatResString(UINT id, std::initializer_list<std::string_view> values)
{
    return FillFormat(LoadResString(id), values);
}
