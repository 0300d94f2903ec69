// The whole panel in the test's own process, on a simulated driver: the application
// object, its frame, view and pages, driven through real windows and messages.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

#include "app/MainFrm.h"
#include "app/OVX_CPL.h"
#include "app/OVX_CPLView.h"
#include "sim/SimDriver.h"
#include "sim/SimInterfaceBroadcast.h"

class CPanelHarness {
public:
    explicit CPanelHarness(SimBus bus = DefaultBus());
    ~CPanelHarness();
    CPanelHarness(const CPanelHarness&) = delete;
    CPanelHarness& operator=(const CPanelHarness&) = delete;

    // Runs the application's start-up with the given command line; true if it went on
    // to the message loop.
    bool Start(const char* commandLine = "");
    // Delivers everything queued, the way the application's loop does, then lets the
    // application take its idle step.
    void Pump();
    // Pumps until done() holds; false if it still does not after timeoutMs.
    bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
    // Ends the program as Quit does and waits for the loop's WM_QUIT; returns its code.
    int Quit();

    CMainFrame* Frame() const;
    COVX_CPLView* View() const;
    HWND FrameWindow() const;
    std::string Pane(int index) const;
    // The pages of the view that are visible now.
    std::vector<HWND> VisiblePages() const;
    // The titles of the tree's items, from the view's page table, top first.
    static std::vector<std::string> TreePageTitles();
    // The tree item with this text, or null.
    HTREEITEM TreeItem(const std::string& text) const;
    // Selects the tree item with this text as a click on it does, and returns the one
    // page shown then, or null.
    HWND SelectPage(const std::string& title);
    std::string SelectedTreeText() const;
    void SendCommand(UINT id) const;

    CSimDriver sim;
    COVX_CPLApp app;
    // False while the computer "sleeps": the driver's interface comes and goes unannounced.
    bool announcesInterface = true;

private:
    CScopedSimDriver m_installed{sim};
    CSimInterfaceBroadcast m_broadcast;
    bool m_bStarted = false;
    bool m_bQuit = false;
};

// Arranges for the next visible top-level window of this class on this thread (a
// dialog by default, "#32768" for a pop-up menu) to be answered by answer() once it is
// up, from inside its modal loop; returns at once.
void AnswerNextDialog(std::function<void(HWND dialog)> answer, const char* windowClass = "#32770");
// True once the arranged answer ran.
bool DialogWasAnswered();
// Drops an arranged answer that no dialog came for.
void CancelDialogAnswer();

// The text of a window or control.
std::string WindowText(HWND hWnd);
// The window's class name, e.g. "SysListView32".
std::string ClassOf(HWND hWnd);
// A record of the driver's interface class as Windows broadcasts it.
std::vector<unsigned char> InterfaceRecord(const std::string& name);
