#include "report/SystemFacts.h"

#include <windows.h>
#include <lmcons.h>

#include "text/FormatText.h"
#include "text/Utf16.h"

namespace {

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOEXW*);
using WineGetVersionFunction = const char*(CDECL*)();

// ntdll is mapped into every process; its exports are looked up, never linked, since
// RtlGetVersion is documented for drivers and wine_get_version exists only under Wine.
FARPROC NtdllFunction(const char* name)
{
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll ? ::GetProcAddress(ntdll, name) : nullptr;
}

template <typename Function>
Function NtdllFunctionAs(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(NtdllFunction(name)));
}

}  // namespace

std::string OperatingSystemText()
{
    // GetVersionEx answers 6.2 to a program whose manifest does not name the running
    // version; RtlGetVersion answers what runs.
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    const auto getVersion = NtdllFunctionAs<RtlGetVersionFunction>("RtlGetVersion");
    if (!getVersion || getVersion(&info) != 0)
        return "Windows (the version could not be read)";
    std::string text = "Windows NT " + DecimalText(info.dwMajorVersion) + "." + DecimalText(info.dwMinorVersion) +
                       " build " + DecimalText(info.dwBuildNumber);
    if (info.szCSDVersion[0] != L'\0')
        text += " " + Utf8FromUtf16Replacing(info.szCSDVersion);
    if (info.wProductType != VER_NT_WORKSTATION)
        text += ", server";
    if (const auto wineVersion = NtdllFunctionAs<WineGetVersionFunction>("wine_get_version"))
        text += ", under Wine " + std::string(wineVersion());
    return text;
}

ComputerNames ReadComputerNames()
{
    ComputerNames names;
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (::GetComputerNameW(computer, &size))
        names.computer = Utf8FromUtf16Replacing(Utf16View(computer, size));
    wchar_t user[UNLEN + 1] = {};
    size = UNLEN + 1;
    if (::GetUserNameW(user, &size) && size > 0)
        names.user = Utf8FromUtf16Replacing(Utf16View(user, size - 1));   // the size counts the terminator
    return names;
}
