// The code page functions on Windows: the system's own conversions through CP_ACP.
#include <windows.h>

#include <climits>

#include "text/CodePageSystem.h"
#include "text/Utf8.h"

namespace {

bool FitsInt(std::string_view text) { return text.size() <= static_cast<size_t>(INT_MAX); }

// MultiByteToWideChar refuses an empty input (ERROR_INVALID_PARAMETER), so callers
// deal with it first.
bool WideFrom(UINT codePage, std::string_view text, std::wstring& wide)
{
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (needed <= 0)
        return false;
    wide.resize(static_cast<size_t>(needed));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(), needed) == needed;
}

}  // namespace

unsigned SystemAnsiCodePage() { return GetACP(); }

size_t SystemAnsiCharacterLength(std::string_view ansi)
{
    const auto lead = static_cast<unsigned char>(ansi.front());
    size_t length = 1;
    // A system whose ANSI code page is UTF-8 (65001) has no double-byte lead bytes:
    // IsDBCSLeadByteEx is false for every byte of it.
    if (GetACP() == CP_UTF8)
        length = Utf8SequenceLength(lead);
    else if (IsDBCSLeadByteEx(CP_ACP, lead))
        length = 2;
    return length < ansi.size() ? length : ansi.size();
}

std::string SystemAnsiDefaultCharacter()
{
    CPINFO info{};
    if (!GetCPInfo(CP_ACP, &info))
        return "?";
    // DefaultChar holds one byte, or two in a code page of double-byte characters, then NULs.
    const char* bytes = reinterpret_cast<const char*>(info.DefaultChar);
    return std::string(bytes, info.DefaultChar[1] != 0 ? 2 : 1);
}

bool SystemUtf8FromAnsi(std::string_view ansi, std::string& utf8)
{
    utf8.clear();
    std::wstring wide;
    if (ansi.empty())
        return true;
    if (!FitsInt(ansi) || !WideFrom(CP_ACP, ansi, wide))
        return false;
    const int length = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return false;
    utf8.resize(static_cast<size_t>(needed));
    return WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide.data(), length, utf8.data(), needed, nullptr,
                               nullptr) == needed;
}

SystemAnsiResult SystemAnsiFromUtf8(std::string_view utf8, std::string& ansi)
{
    ansi.clear();
    std::wstring wide;
    if (utf8.empty())
        return SystemAnsiResult::Ok;
    if (!FitsInt(utf8) || !WideFrom(CP_UTF8, utf8, wide))
        return SystemAnsiResult::InvalidUtf8;
    if (GetACP() == CP_UTF8) {
        ansi.assign(utf8);
        return SystemAnsiResult::Ok;
    }
    // Without WC_NO_BEST_FIT_CHARS a character the code page lacks may become a
    // look-alike; with it, it becomes the default character and usedDefault tells.
    const int length = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr,
                                           &usedDefault);
    if (needed <= 0 || usedDefault)
        return SystemAnsiResult::NotInCodePage;
    ansi.resize(static_cast<size_t>(needed));
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), length, ansi.data(), needed, nullptr,
                            &usedDefault) != needed || usedDefault) {
        ansi.clear();
        return SystemAnsiResult::NotInCodePage;
    }
    return SystemAnsiResult::Ok;
}
