#include "app/CommandLine.h"

#include <cstring>
#include <string>

#ifdef _WIN32
#include <mbstring.h>
#endif

namespace {

// The classic locale's white space; bytes of 0x80 and above never are.
bool IsClassicSpace(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool EqualIgnoringCase(const std::string& token, const char* option)
{
#ifdef _WIN32
    // Multibyte-aware, in the process's ANSI code page.
    return _mbsicmp(reinterpret_cast<const unsigned char*>(token.c_str()),
                    reinterpret_cast<const unsigned char*>(option)) == 0;
#else
    const size_t length = std::strlen(option);
    if (token.size() != length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
        if (lower(static_cast<unsigned char>(token[i])) != lower(static_cast<unsigned char>(option[i])))
            return false;
    }
    return true;
#endif
}

}  // namespace

bool FindCommandLineOption(const char* commandLine, const char* option)
{
    if (!commandLine || !option)
        return false;
    const auto* p = reinterpret_cast<const unsigned char*>(commandLine);
    while (*p) {
        while (*p && IsClassicSpace(*p))
            ++p;
        const unsigned char* start = p;
        while (*p && !IsClassicSpace(*p))
            ++p;
        if (p != start && EqualIgnoringCase(std::string(reinterpret_cast<const char*>(start),
                                                         static_cast<size_t>(p - start)), option))
            return true;
    }
    return false;
}
