#include "tests/harness/ShellTray.h"

#include <commctrl.h>
#include <shellapi.h>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

struct Tool {
    HWND window = nullptr;
    RECT rect{};
    std::string text;
};

// A buffer in another process, freed with it.
class CRemoteBuffer {
public:
    CRemoteBuffer(HANDLE process, size_t size)
        : m_process(process), m_address(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE))
    {
    }
    ~CRemoteBuffer()
    {
        if (m_address)
            ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
    }
    CRemoteBuffer(const CRemoteBuffer&) = delete;
    CRemoteBuffer& operator=(const CRemoteBuffer&) = delete;
    char* Get() const { return static_cast<char*>(m_address); }

private:
    HANDLE m_process;
    void* m_address;
};

std::string Narrow(const wchar_t* text)
{
    char narrow[1024] = "";
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

// Every tool of a tool tip window of another process, its text included.
std::vector<Tool> ToolsOf(HWND tooltip)
{
    std::vector<Tool> tools;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(tooltip, &pid);
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return tools;
    {
        constexpr size_t kTextBytes = 4096;
        CRemoteBuffer remote(process, sizeof(TTTOOLINFOW) + kTextBytes);
        const int count = static_cast<int>(::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; remote.Get() && i < count; ++i) {
            TTTOOLINFOW info{};
            info.cbSize = sizeof info;
            info.lpszText = reinterpret_cast<LPWSTR>(remote.Get() + sizeof info);
            std::vector<wchar_t> text(kTextBytes / sizeof(wchar_t), L'\0');
            SIZE_T done = 0;
            ::WriteProcessMemory(process, remote.Get(), &info, sizeof info, &done);
            ::WriteProcessMemory(process, remote.Get() + sizeof info, text.data(), kTextBytes, &done);
            if (!::SendMessageW(tooltip, TTM_ENUMTOOLSW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote.Get())))
                continue;
            ::ReadProcessMemory(process, remote.Get(), &info, sizeof info, &done);
            ::ReadProcessMemory(process, remote.Get() + sizeof info, text.data(), kTextBytes, &done);
            text.back() = L'\0';
            tools.push_back({info.hwnd, info.rect, Narrow(text.data())});
        }
    }
    ::CloseHandle(process);
    return tools;
}

// The shell's tool tip windows: top-level, of another process.
void ForEachShellTooltip(const std::function<void(HWND)>& visit)
{
    std::vector<HWND> found;
    ::EnumWindows(
        [](HWND window, LPARAM list) {
            char name[32] = "";
            ::GetClassNameA(window, name, sizeof name);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(window, &pid);
            if (std::string(name) == TOOLTIPS_CLASSA && pid != ::GetCurrentProcessId())
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    for (HWND window : found)
        visit(window);
}

bool FindTrayTool(const std::string& prefix, Tool& found)
{
    bool any = false;
    ForEachShellTooltip([&](HWND tooltip) {
        if (any || (::GetWindowLongA(tooltip, GWL_STYLE) & TTS_BALLOON))
            return;
        for (const Tool& tool : ToolsOf(tooltip)) {
            if (tool.text.compare(0, prefix.size(), prefix) == 0) {
                found = tool;
                any = true;
                return;
            }
        }
    });
    return any;
}

}  // namespace

namespace ShellTray {

std::string Tip(const std::string& prefix)
{
    Tool tool;
    return FindTrayTool(prefix, tool) ? tool.text : std::string();
}

std::string Balloon()
{
    std::string text;
    ForEachShellTooltip([&](HWND tooltip) {
        if (!text.empty() || !::IsWindowVisible(tooltip) || !(::GetWindowLongA(tooltip, GWL_STYLE) & TTS_BALLOON))
            return;
        for (const Tool& tool : ToolsOf(tooltip))
            if (!tool.text.empty())
                text = tool.text;
    });
    return text;
}

void HideBalloon(HWND owner, UINT id)
{
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = NIF_INFO;
    ::Shell_NotifyIconA(NIM_MODIFY, &data);
}

bool IconShowsWarning(const std::string& prefix)
{
    Tool tool;
    if (!FindTrayTool(prefix, tool))
        return false;
    RECT& r = tool.rect;
    ::MapWindowPoints(tool.window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0)
        return false;
    // The screen's pixels under the icon, as 32-bit colours.
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    // The mark's red (0xd6, 0x45, 0x3d); the normal icon has none of it.
    int red = 0;
    const auto* pixel = static_cast<const unsigned char*>(bits);
    for (int i = 0; i < width * height; ++i, pixel += 4)
        red += std::abs(pixel[2] - 0xd6) < 40 && std::abs(pixel[1] - 0x45) < 40 && std::abs(pixel[0] - 0x3d) < 40;
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return red >= 8;
}

}  // namespace ShellTray
