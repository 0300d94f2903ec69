// Another process's controls take a pointer only into their own process: the texts of
// its list rows and status panes are read through a buffer lent in its memory.
#pragma once
#include <windows.h>
#include <string>

class CRemoteBuffer {
public:
    // A buffer in the process of this window.
    explicit CRemoteBuffer(HWND window);
    ~CRemoteBuffer();
    CRemoteBuffer(const CRemoteBuffer&) = delete;
    CRemoteBuffer& operator=(const CRemoteBuffer&) = delete;

    std::string ListText(HWND list, int row, int column);
    std::string PaneText(HWND statusBar, int pane);
    // LVM_SETITEMSTATE with its record lent in the list's process; false if it could not be.
    bool SetItemState(HWND list, int row, UINT state, UINT mask);
    // The row's label rectangle in the list's client area.
    RECT ItemRect(HWND list, int row);

private:
    static constexpr SIZE_T kSize = 4096;
    bool Write(const void* bytes, SIZE_T size);
    std::string Text(SIZE_T offset);

    HANDLE m_process = nullptr;
    void* m_memory = nullptr;
};
