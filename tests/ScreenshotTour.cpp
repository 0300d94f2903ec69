// Walks the panel on a simulated bus through every page and dialog for the pictures
// of the README. At each stop it prints "SHOT name left top right bottom" (the
// window's place on the desktop) and keeps the window painted until the caller, who
// takes the picture, creates "name.done" in the directory given.
//
// ovx_screenshot_tour.exe SCENARIO DONEDIR [SUFFIX]
//
// With a SUFFIX (the caller runs it at another DPI) only the panel and the bus window
// are taken, as "panelSUFFIX" and "bus-windowSUFFIX".
#include <windows.h>
#include <commctrl.h>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include "res/resource.h"
#include "simapp/SimBusWindow.h"
#include "sim/SimConsole.h"
#include "sim/SimScenario.h"
#include "tests/harness/PageDriving.h"
#include "tests/harness/PanelHarness.h"

namespace {

std::string g_doneDir;
int g_missed = 0;   // pictures whose window was missing or that were never taken

void PumpFor(DWORD ms)
{
    const DWORD end = ::GetTickCount() + ms;
    while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(10);
    }
}

// Shows the window painted, names it to the caller and waits for its picture.
bool Shot(const char* name, HWND window)
{
    if (!window) {
        ++g_missed;
        return false;
    }
    ::SetForegroundWindow(window);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(500);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    std::printf("SHOT %s %ld %ld %ld %ld\n", name, rect.left, rect.top, rect.right, rect.bottom);
    std::fflush(stdout);
    const std::string done = g_doneDir + "\\" + name + ".done";
    for (int i = 0; i < 300; ++i) {   // at most 30 s
        if (::GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        PumpFor(100);
    }
    ++g_missed;
    return false;
}

// The picture of the next dialog this thread opens, taken from inside its modal loop;
// then the dialog is cancelled.
void ShotOfNextDialog(const char* name)
{
    AnswerNextDialog([name](HWND dialog) {
        Shot(name, dialog);
        ::SendMessageA(::GetDlgItem(dialog, IDCANCEL) ? ::GetDlgItem(dialog, IDCANCEL) : ::GetDlgItem(dialog, IDOK),
                       BM_CLICK, 0, 0);
    });
}

// The next dialog other than passOver (a file dialog that is still closing).
void AnswerNextDialogBut(HWND passOver, std::function<void(HWND)> answer)
{
    AnswerNextDialog([passOver, answer](HWND next) {
        if (next == passOver)
            AnswerNextDialogBut(passOver, answer);
        else
            answer(next);
    });
}

// The file dialog answered with a name, then the dialog after it by then().
void AfterFileDialog(const std::string& path, std::function<void(HWND)> then)
{
    AnswerNextDialog([path, then](HWND dialog) {
        HWND name = ::GetDlgItem(dialog, 0x47C) ? ::GetDlgItem(dialog, 0x47C) : ::GetDlgItem(dialog, 0x480);
        ::SetWindowTextA(name, path.c_str());
        if (then)
            AnswerNextDialogBut(dialog, then);
        ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
}

// A studio snapshot saved, names and the clock master changed on the bus, and the
// plan of its restore, cancelled.
void TourRestorePlan(CPanelHarness& panel)
{
    char dir[MAX_PATH] = "";
    ::GetTempPathA(sizeof dir, dir);
    const std::string path = std::string(dir) + "ovx-tour-studio.json";
    ::DeleteFileA(path.c_str());
    AfterFileDialog(path, nullptr);
    panel.SendCommand(ID_SAVE_SNAPSHOT);
    panel.sim.Change([](SimBus& bus) {
        bus.devices[1].name = "Desk (borrowed)";
        bus.inputs[0].name = "Kick";
        bus.outputs[1].name = "Monitors";
        bus.clockSource = {0, 0, 0};
        bus.rateMode = 0;
    });
    AfterFileDialog(path, [](HWND plan) {
        Shot("restore-plan", plan);
        ::PostMessageA(plan, WM_COMMAND, IDCANCEL, 0);
    });
    panel.SendCommand(ID_RESTORE_SNAPSHOT);
    ::DeleteFileA(path.c_str());
}

// The Event History window with what a session in the studio leaves in it.
void TourEventHistory(CPanelHarness& panel)
{
    const auto start = std::chrono::system_clock::now() - std::chrono::minutes(42);
    const struct { int minute; HistoryKind kind; const char* device; const char* serial; } noted[] = {
        {0, HistoryKind::DeviceConnected, "Zemra Rack 16", "ZR16-0007-03"}, {3, HistoryKind::RateChanged, "", ""},
        {9, HistoryKind::DropOuts, "", ""}, {17, HistoryKind::StreamingStopped, "Zemra Rack 16", "ZR16-0007-03"},
        {18, HistoryKind::StreamingBack, "", ""}, {25, HistoryKind::SnapshotRestored, "", ""}, {40, HistoryKind::Resumed, "", ""}};
    for (const auto& n : noted)
        panel.app.NoteInHistory({start + std::chrono::minutes(n.minute), n.kind, false, n.device, n.serial, 44100, 48000,
                                 false, 0xE0000072, 3, "4 changes, 0 skipped"});
    panel.SendCommand(ID_EVENT_HISTORY);
    HWND history = ::FindWindowA("#32770", "Event History");
    Shot("event-history", history);
    ::SendMessageA(history, WM_COMMAND, IDCANCEL, 0);
}

// Every page and dialog of the panel.
void TourPages(CPanelHarness& panel)
{
    const HWND frame = panel.FrameWindow();

    HWND page = panel.SelectPage("Devices");
    Ui::SelectRow(::GetDlgItem(page, IDC_DEVICE_LIST), 1);
    Shot("devices", frame);
    ShotOfNextDialog("device-name");   // each dialog's answer runs inside the click that opens it
    Ui::Click(::GetDlgItem(page, IDC_EDIT_DEVICE_NAME));

    page = panel.SelectPage("Input Channels");
    Ui::SelectRow(::GetDlgItem(page, IDC_CHANNEL_LIST), 0);
    Shot("input-channels", frame);
    ShotOfNextDialog("channel-name");
    Ui::Click(::GetDlgItem(page, IDC_EDIT_CHANNEL_NAME));

    page = panel.SelectPage("Output Channels");
    Ui::SelectRow(::GetDlgItem(page, IDC_CHANNEL_LIST), 2);
    Shot("output-channels", frame);

    page = panel.SelectPage("Synchronisation");
    Ui::SelectRow(::GetDlgItem(page, IDC_SYNC_LIST), 2);
    Shot("synchronisation", frame);
    ShotOfNextDialog("sync-mode");
    Ui::Click(::GetDlgItem(page, IDC_CHANGE_SYNC_MODE));

    panel.SelectPage("Settings");
    PumpFor(1500);   // the drop out count arrives with the page's first timer tick
    Shot("settings", frame);

    ShotOfNextDialog("about");
    panel.SendCommand(ID_APP_ABOUT);

    ShotOfNextDialog("support-report");
    panel.SendCommand(ID_SAVE_SUPPORT_REPORT);

    TourRestorePlan(panel);
    TourEventHistory(panel);
}

// The simulated bus beside the panel, its trace showing a refresh of every page.
void TourBusWindow(CPanelHarness& panel, const std::string& name)
{
    CSimConsole console(panel.sim);
    CSimBusWindow bus(panel.sim, console, true);
    if (!bus.Create()) {
        ++g_missed;
        return;
    }
    panel.sim.SetTraceListener([&bus](const SimTraceEntry& entry) { bus.QueueTrace(entry); });
    panel.View()->RefreshAllPages();
    PumpFor(500);
    Shot(name.c_str(), bus.m_hWnd);
    panel.sim.SetTraceListener(nullptr);
    bus.DestroyWindow();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: ovx_screenshot_tour SCENARIO DONEDIR [SUFFIX]\n");
        return 2;
    }
    SimScenario scenario;
    std::ifstream file(argv[1]);
    std::string error = "cannot be read";
    if (!file || !ParseSimScenario(file, scenario, error)) {
        std::fprintf(stderr, "the scenario %s: %s\n", argv[1], error.c_str());
        return 2;
    }
    g_doneDir = argv[2];
    const std::string suffix = argc == 4 ? argv[3] : "";

    CPanelHarness panel(scenario.bus);
    ApplySimFaults(scenario, panel.sim);
    if (!panel.Start())
        return 1;
    if (suffix.empty()) {
        TourPages(panel);
        if (!DialogWasAnswered())
            ++g_missed;
    } else {
        panel.SelectPage("Devices");
        Shot(("panel" + suffix).c_str(), panel.FrameWindow());
    }
    TourBusWindow(panel, "bus-window" + suffix);
    panel.Quit();
    return g_missed == 0 ? 0 : 1;
}
