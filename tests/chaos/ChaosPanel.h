// The panel under chaos: OVX_CPL_Sim.exe as a process of its own, with its bus window
// hidden and its request trace in a file. Statements reach the bus as ovxsim.exe sends
// them (WM_COPYDATA to the bus window, the answer sent back the same way); the panel's
// windows are found as another program finds them.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

#include "base/UniqueHandle.h"
#include "simapp/SimReplyWindow.h"

struct ChaosAnswer {
    bool delivered = false;   // the bus window took it within the patience given
    bool applied = false;
    std::string text;
};

class CChaosPanel {
public:
    CChaosPanel() = default;
    ~CChaosPanel();
    CChaosPanel(const CChaosPanel&) = delete;
    CChaosPanel& operator=(const CChaosPanel&) = delete;

    // Starts the panel with its trace in tracePath; false with `why` when it does not
    // come up within 30 s.
    bool Start(const std::string& tracePath, std::string& why);
    // Quit as the tray menu's Quit does; false when the process has not ended 30 s later
    // (it is then ended with code 99).
    bool Quit(std::string& why);
    bool Running() const;

    ChaosAnswer Statement(const std::string& statement, DWORD patienceMs = 30000);
    // The panel's GUI thread took a message within patienceMs.
    bool Answers(DWORD patienceMs) const;

    HWND Frame() const { return m_frame; }
    HWND View() const;
    HWND Tree() const;
    HWND StatusBar() const;
    // The page of tree item 0 to 4: Devices, Input Channels, Output Channels,
    // Synchronisation, Settings.
    HWND Page(int item) const;
    // Selects the tree item as a click on it does.
    bool SelectPage(int item) const;
    std::vector<HTREEITEM> TreeItems() const;
    // The page shown now, or null.
    HWND ShownPage() const;
    // The modal box in front of the panel, or null: a visible, enabled dialog window of
    // the panel's thread other than the bus window.
    HWND Modal() const;
    DWORD ThreadId() const { return m_threadId; }

    // How a message the user's action makes came out: handled, or a modal box opened by
    // it is waiting (its handler returns when the box ends), or no answer within 30 s.
    enum class Delivery { Handled, ModalOpen, NoAnswer };
    // Sends the message as the control's own input would reach the panel, and waits for
    // its handler to return or for a modal box to come up.
    Delivery Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;

    // Another start of the panel with these arguments, as the shell starts it; its exit
    // code, or -1 when it has not ended within 30 s.
    long SecondStart(const std::string& arguments) const;

private:
    bool FindWindows();
    bool MapPages();

    PROCESS_INFORMATION m_process{};
    HWND m_frame = nullptr;
    HWND m_bus = nullptr;
    CSimReplyWindow m_reply;   // where the bus window sends its answers
    DWORD m_threadId = 0;
    std::vector<HWND> m_pages;       // the view's page dialogs
    std::vector<HWND> m_itemPages;   // the page of each tree item
};
