// "Simulated FireWire Bus": the simulator's own window beside the panel, on the panel's
// GUI thread. It shows the bus as it is now, and every button, the command line and
// the statements of other programs (WM_COPYDATA) go through the same language.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "sim/SimConsole.h"
#include "simapp/SimBusForm.h"
#include "simapp/SimBusView.h"
#include "simapp/SimRemoteCalls.h"
#include "simapp/SimTraceList.h"
#include "simapp/SimTraceQueue.h"
#include "ui/ComboBox.h"
#include "ui/Dialog.h"
#include "ui/ListBox.h"
#include "ui/ListCtrlEx.h"

class CSimBusWindow : public CDialog {
public:
    static constexpr UINT WM_APP_SIM_TRACE = WM_APP + 0x40;   // rows wait in the queue
    static constexpr UINT WM_APP_SIM_PLACE = WM_APP + 0x41;   // once the panel is shown

    CSimBusWindow(CSimDriver& driver, CSimConsole& console, bool shown);

    // Creates the window; it shows itself beside the panel once the loop runs.
    BOOL Create();
    // One statement, as typed, clicked or sent; the window's own verbs included.
    SimAnswer Submit(const std::string& statement);
    // For the driver's trace listener: any thread, the driver's lock held.
    void QueueTrace(const SimTraceEntry& entry) { m_queue.Push(entry); }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;

private:
    void FillChoices();
    void SaveTrace();
    SimAnswer WindowStatement(const std::string& verb, const std::vector<std::string>& w);
    SimAnswer Stats(const std::vector<std::string>& w);
    SimAnswer ClearTrace(const std::vector<std::string>& w);
    SimAnswer SaveTraceAs(const std::vector<std::string>& w);
    bool OnCopyData(HWND sender, const COPYDATASTRUCT* data, LRESULT& result);
    SimBusView ViewNow();
    void Refresh();
    void Show(SimBusView view);
    void ShowDevices(const std::vector<SimDeviceRow>& rows);
    void ShowClock(const SimClockChoice& clock);
    void ShowFaults(const std::vector<std::string>& faults);
    void Place();

    CSimDriver& m_driver;
    CSimConsole& m_console;
    CSimRemoteCalls m_remote{m_driver};
    bool m_bShown;
    CSimTraceQueue m_queue;
    CListCtrlEx m_devices;
    CSimTraceList m_trace;
    CComboBox m_comboPlug;
    CComboBox m_comboPlugState;
    CComboBox m_comboMaster;
    CComboBox m_comboBuffer;
    CComboBox m_comboEventKind;
    CComboBox m_comboFaultRequest;
    CComboBox m_comboFaultKind;
    CListBox m_listFaults;
    SimBusForm m_form;         // the controls' values, exchanged before a button's statement is made
    std::string m_strSummary;   // the driver, the clock, streaming and the buffers in words
    std::string m_strAnswer;    // the answer to the last statement, shown below the Statement box
    SimBusView m_shown;         // what the window shows now
};
