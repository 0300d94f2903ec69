#include "tests/harness/RemoteBuffer.h"

#include <commctrl.h>

namespace {
constexpr char kUnreadable[] = "<unreadable>";
}

CRemoteBuffer::CRemoteBuffer(HWND window)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (m_process)
        m_memory = ::VirtualAllocEx(m_process, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE);
}

CRemoteBuffer::~CRemoteBuffer()
{
    if (m_memory)
        ::VirtualFreeEx(m_process, m_memory, 0, MEM_RELEASE);
    if (m_process)
        ::CloseHandle(m_process);
}

std::string CRemoteBuffer::ListText(HWND list, int row, int column)
{
    // The item record first, its text buffer after it.
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = static_cast<char*>(m_memory) + sizeof item;
    item.cchTextMax = kSize - sizeof item;
    if (!Write(&item, sizeof item))
        return kUnreadable;
    ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(m_memory));
    return Text(sizeof item);
}

std::string CRemoteBuffer::PaneText(HWND statusBar, int pane)
{
    const char nothing = '\0';
    if (!Write(&nothing, 1))
        return kUnreadable;
    ::SendMessageA(statusBar, SB_GETTEXTA, pane, reinterpret_cast<LPARAM>(m_memory));
    return Text(0);
}

bool CRemoteBuffer::SetItemState(HWND list, int row, UINT state, UINT mask)
{
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    if (!Write(&item, sizeof item))
        return false;
    ::SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_memory));
    return true;
}

RECT CRemoteBuffer::ItemRect(HWND list, int row)
{
    RECT rect{LVIR_LABEL, 0, 0, 0};
    if (!Write(&rect, sizeof rect) ||
        !::SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_memory)) ||
        !::ReadProcessMemory(m_process, m_memory, &rect, sizeof rect, nullptr))
        return RECT{};
    return rect;
}

bool CRemoteBuffer::Write(const void* bytes, SIZE_T size)
{
    return m_memory && ::WriteProcessMemory(m_process, m_memory, bytes, size, nullptr);
}

std::string CRemoteBuffer::Text(SIZE_T offset)
{
    char text[kSize] = "";
    if (!::ReadProcessMemory(m_process, static_cast<char*>(m_memory) + offset, text, kSize - offset - 1, nullptr))
        return kUnreadable;
    return text;
}
