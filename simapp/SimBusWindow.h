// "Simulated FireWire Bus": the simulator's own window beside the panel, on the panel's
// GUI thread. It shows the bus as it is now, and every button, the command line and
// the statements of other programs (WM_COPYDATA) go through the same language.
#pragma once
#include <windows.h>
#include <deque>
#include <string>

#include "sim/SimConsole.h"
#include "simapp/SimTraceQueue.h"
#include "ui/Dialog.h"
#include "ui/ListCtrlEx.h"

class CSimBusWindow : public CDialog {
public:
    static constexpr UINT WM_APP_SIM_TRACE = WM_APP + 0x40;   // rows wait in the queue
    static constexpr UINT WM_APP_SIM_PLACE = WM_APP + 0x41;   // once the panel is shown
    static constexpr size_t kTraceRows = 2000;                 // older rows leave the list

    CSimBusWindow(CSimDriver& driver, CSimConsole& console, bool shown);

    // Creates the window; it shows itself beside the panel once the loop runs.
    BOOL Create();
    // One statement, as typed, clicked or sent; the window's own verbs included.
    SimAnswer Submit(const std::string& statement);
    // For the driver's trace listener: any thread, the driver's lock held.
    void QueueTrace(const SimTraceEntry& entry) { m_queue.Push(entry); }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;

private:
    std::string ControlText(int id);
    int ComboIndex(int id);
    std::string SelectedDevice();
    std::string FaultStatement();
    bool OnCopyData(HWND sender, const COPYDATASTRUCT* data, LRESULT& result);
    SimAnswer WindowStatement(const std::string& statement, bool& handled);
    void Refresh();
    void FillDevices(const std::vector<SimRosterEntry>& roster);
    void FillBus(const SimBus& bus, const std::vector<SimRosterEntry>& roster);
    void FillFaults();
    void TakeTrace();
    void Place();
    std::string TraceText(size_t row, int column) const;

    CSimDriver& m_driver;
    CSimConsole& m_console;
    bool m_bShown;
    CSimTraceQueue m_queue;
    CListCtrlEx m_devices;
    CListCtrlEx m_trace;
    std::deque<SimTraceRow> m_traceRows;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    std::string m_lastShown;   // what the bus looked like at the last refresh
};
