#include "simapp/SimBusWindow.h"

#include <algorithm>

#include "driver/ControlCodes.h"
#include "sim/SimDriver.h"
#include "sim/SimPlugLine.h"
#include "sim/SimStatements.h"
#include "sim/SimWords.h"
#include "simapp/SimProcessStats.h"
#include "simapp/SimResource.h"
#include "simapp/SimRemoteCall.h"
#include "simapp/SimReplyWindow.h"
#include "simapp/SimStatementMessage.h"
#include "ui/AccessibleName.h"
#include "ui/DataExchange.h"
#include "ui/Dpi.h"
#include "ui/FileDialog.h"
#include "ui/WinApp.h"

namespace {

constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 500;

// The statement each button sends, made from the form as the controls hold it.
struct Button {
    UINT id;
    SimStatementBuilder build;
};
constexpr Button kButtons[] = {
    {IDC_SIM_SEND, TypedStatement},           {IDC_SIM_UNPLUG, UnplugStatement},
    {IDC_SIM_PLUG, PlugBackStatement},        {IDC_SIM_SET_PLUG, PlugStateStatement},
    {IDC_SIM_ADD_DEVICE, AddDeviceStatement}, {IDC_SIM_UNLOAD, UnloadStatement},
    {IDC_SIM_LOAD, LoadStatement},            {IDC_SIM_SET_VERSION, VersionStatement},
    {IDC_SIM_SET_RATE, RateStatement},        {IDC_SIM_SET_RATES, RatesStatement},
    {IDC_SIM_SET_MASTER, ClockStatement},     {IDC_SIM_STREAMING, StreamingStatement},
    {IDC_SIM_WDM_IN_USE, WdmInUseStatement},  {IDC_SIM_DROPOUT, DropOutStatement},
    {IDC_SIM_SET_BUFFER, BufferStatement},    {IDC_SIM_QUEUE_EVENT, EventStatement},
    {IDC_SIM_ADD_FAULT, AddFaultStatement},   {IDC_SIM_REMOVE_FAULT, RemoveFaultStatement},
    {IDC_SIM_CLEAR_TRACE, ClearTraceStatement},
};

void Fill(const CComboBox& combo, const std::vector<std::string>& texts, int selected)
{
    for (const std::string& text : texts)
        combo.AddString(text);
    combo.SetCurSel(selected);
}

}  // namespace

CSimBusWindow::CSimBusWindow(CSimDriver& driver, CSimConsole& console, bool shown)
    : CDialog(IDD_SIM_BUS), m_driver(driver), m_console(console), m_bShown(shown),
      m_queue([this] { PostMessage(WM_APP_SIM_TRACE); })
{
}

BOOL CSimBusWindow::Create()
{
    return CDialog::Create(IDD_SIM_BUS, nullptr);
}

void CSimBusWindow::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SIM_DEVICES, m_devices);
    DDX_Control(dx, IDC_SIM_TRACE, m_trace.List());
    DDX_Control(dx, IDC_SIM_PLUG_WHICH, m_comboPlug);
    DDX_Control(dx, IDC_SIM_PLUG_STATE, m_comboPlugState);
    DDX_Control(dx, IDC_SIM_MASTER, m_comboMaster);
    DDX_Control(dx, IDC_SIM_BUFFER_WHICH, m_comboBuffer);
    DDX_Control(dx, IDC_SIM_EVENT_KIND, m_comboEventKind);
    DDX_Control(dx, IDC_SIM_FAULT_REQUEST, m_comboFaultRequest);
    DDX_Control(dx, IDC_SIM_FAULT_KIND, m_comboFaultKind);
    DDX_Control(dx, IDC_SIM_FAULTS, m_listFaults);
    DDX_Text(dx, IDC_SIM_PLUG_CODE, m_form.plugValue);
    DDX_Text(dx, IDC_SIM_NEW_NAME, m_form.newName);
    DDX_Text(dx, IDC_SIM_NEW_SERIAL, m_form.newSerial);
    DDX_Text(dx, IDC_SIM_NEW_IN, m_form.newInputs);
    DDX_Text(dx, IDC_SIM_NEW_OUT, m_form.newOutputs);
    DDX_Text(dx, IDC_SIM_SUMMARY, m_strSummary);
    DDX_Text(dx, IDC_SIM_VERSION, m_form.version);
    DDX_Text(dx, IDC_SIM_RATE, m_form.rate);
    DDX_Text(dx, IDC_SIM_RATES, m_form.rates);
    DDX_Check(dx, IDC_SIM_STREAMING, m_form.streaming);
    DDX_Check(dx, IDC_SIM_WDM_IN_USE, m_form.wdmInUse);
    DDX_Text(dx, IDC_SIM_BUFFER, m_form.depths);
    DDX_Text(dx, IDC_SIM_EVENT_KIND, m_form.eventKind);
    DDX_Text(dx, IDC_SIM_EVENT_COUNT, m_form.eventCount);
    DDX_Text(dx, IDC_SIM_FAULT_VALUE, m_form.faultValue);
    DDX_Check(dx, IDC_SIM_FAULT_ALWAYS, m_form.faultAlways);
    DDX_Text(dx, IDC_SIM_STATEMENT, m_form.statement);
    DDX_Text(dx, IDC_SIM_ANSWER, m_strAnswer);
    if (!dx->m_bSaveAndValidate)
        return;
    // The choices, which only the user changes.
    m_form.device = m_devices.GetFirstSelectedIndex();
    m_form.plug = m_comboPlug.GetCurSel();
    m_form.plugState = m_comboPlugState.GetCurSel();
    m_form.master = m_comboMaster.GetCurSel();
    m_form.masterIds = m_shown.clock.deviceIds;
    m_form.buffer = m_comboBuffer.GetCurSel();
    m_form.faultRequest = m_comboFaultRequest.GetLBText(m_comboFaultRequest.GetCurSel());
    m_form.faultKind = m_comboFaultKind.GetCurSel();
    m_form.selectedFault = m_listFaults.GetText(m_listFaults.GetCurSel());
}

BOOL CSimBusWindow::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_devices.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    // Widths at 96 DPI: the wrapper scales them to the window's.
    const struct {
        const char* heading;
        int width;
    } columns[] = {{"No.", 30}, {"State", 62}, {"Name", 110}, {"Serial", 90}, {"In", 30},
                   {"Out", 30}, {"Plugs o/i/so/si", 90}, {"Sync", 90}};
    for (int i = 0; i < 8; ++i)
        m_devices.InsertColumn(i, columns[i].heading, LVCFMT_LEFT, columns[i].width);
    m_trace.InsertColumns();
    SetAccessibleName(m_devices.m_hWnd, "Devices");
    SetAccessibleName(::GetDlgItem(m_hWnd, IDC_SIM_TRACE), "Request trace");
    FillChoices();

    const SimBus bus = m_driver.Bus();
    m_form.newName = "Zemra Pocket 2";
    m_form.newSerial = "ZP2-0001-01";
    m_form.newInputs = m_form.newOutputs = "2";
    m_form.plugValue = "0xE0000073";
    const _DRIVER_VERSION_INFO& v = bus.version;
    m_form.version = std::to_string(v.interfaceMajor) + " " + std::to_string(v.interfaceMinor) + " " +
                     std::to_string(v.driverMajor) + " " + std::to_string(v.driverMinor) + " " +
                     std::to_string(v.driverBuild);
    m_form.rate = std::to_string(bus.currentRate);
    for (uint32_t rate : bus.supportedRates)
        m_form.rates += (m_form.rates.empty() ? "" : " ") + std::to_string(rate);
    m_form.depths = SimDepthText(bus.streamDepth);
    m_form.eventKind = "3";   // the combo box's edit, which the exchange writes
    m_form.eventCount = "1";
    m_form.faultValue = "0xE0000001";
    Show(ViewNow());
    UpdateData(FALSE);
    SetTimer(kRefreshTimer, kRefreshMs);
    // The panel's frame does not exist yet: it is placed beside it once the loop runs.
    PostMessage(WM_APP_SIM_PLACE);
    return TRUE;
}

void CSimBusWindow::FillChoices()
{
    Fill(m_comboPlug, {std::begin(kSimPlugNames), std::end(kSimPlugNames)}, 0);
    Fill(m_comboPlugState, {std::begin(kSimPlugStates), std::end(kSimPlugStates)}, 0);
    Fill(m_comboBuffer, SimBufferNames(), 0);
    Fill(m_comboEventKind, {"1", "2", "3", "100"}, 2);
    std::vector<std::string> requests{"open"};
    for (const OvxIoctl::Request& request : OvxIoctl::Catalogue())
        requests.push_back(request.name);
    Fill(m_comboFaultRequest, requests, 1);
    Fill(m_comboFaultKind, SimFaultKindNames(), 0);
}

void CSimBusWindow::OnDestroy()
{
    KillTimer(kRefreshTimer);
    m_remote.CloseAll();
}

void CSimBusWindow::OnCancel()
{
    // The close box and Escape: the bus stays reachable by its statements.
    ShowWindow(SW_MINIMIZE);
}

bool CSimBusWindow::OnCommand(UINT id, UINT code, HWND)
{
    if (code != BN_CLICKED)
        return false;
    if (id == IDC_SIM_SAVE_TRACE) {
        SaveTrace();
        return true;
    }
    const auto button = std::find_if(std::begin(kButtons), std::end(kButtons), [&](const Button& b) { return b.id == id; });
    if (button == std::end(kButtons))
        return false;
    UpdateData(TRUE);
    Submit(button->build(m_form));
    return true;
}

void CSimBusWindow::SaveTrace()
{
    char path[MAX_PATH] = "trace.txt";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrDefExt = "txt";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (PromptSaveFileName(ofn))
        Submit(std::string("save trace \"") + path + "\"");
}

SimAnswer CSimBusWindow::Submit(const std::string& statement)
{
    std::vector<std::string> words;
    const SimStatement* row = SplitSimWords(statement, words) ? FindSimStatement(words) : nullptr;
    const SimAnswer answer = row && row->places == kSimWindowOnly ? WindowStatement(row->verb, words)
                                                                   : m_console.Execute(statement);
    UpdateData(TRUE);
    m_strAnswer = (answer.applied ? "" : "Refused: ") + answer.text.substr(0, answer.text.find('\n'));
    Show(ViewNow());
    UpdateData(FALSE);
    return answer;
}

SimAnswer CSimBusWindow::WindowStatement(const std::string& verb, const std::vector<std::string>& w)
{
    static constexpr struct {
        const char* verb;
        SimAnswer (CSimBusWindow::*handle)(const std::vector<std::string>&);
    } kOwn[] = {{"stats", &CSimBusWindow::Stats},
                {"clear trace", &CSimBusWindow::ClearTrace},
                {"save trace", &CSimBusWindow::SaveTraceAs}};
    for (const auto& own : kOwn) {
        if (verb == own.verb)
            return (this->*own.handle)(w);
    }
    return {false, "refused: the window does not know " + verb};
}

SimAnswer CSimBusWindow::Stats(const std::vector<std::string>& w)
{
    if (w.size() > 1)
        return {false, SimExpected(w, 1, "nothing more")};
    return {true, SimProcessStats()};
}

SimAnswer CSimBusWindow::ClearTrace(const std::vector<std::string>& w)
{
    if (w.size() > 2)
        return {false, SimExpected(w, 2, "nothing more")};
    m_trace.Clear();
    return {true, "ok"};
}

SimAnswer CSimBusWindow::SaveTraceAs(const std::vector<std::string>& w)
{
    if (w.size() != 3)
        return {false, SimExpected(w, w.size() < 3 ? w.size() : 3, w.size() < 3 ? "a \"PATH\"" : "nothing more")};
    if (!m_trace.Save(w[2]))
        return {false, "refused: " + w[2] + " cannot be written"};
    return {true, std::to_string(m_trace.Count()) + " requests saved"};
}

bool CSimBusWindow::OnCopyData(HWND sender, const COPYDATASTRUCT* data, LRESULT& result)
{
    if (data && data->dwData == kSimRemoteCallData) {
        m_remote.Reply(m_hWnd, sender, *data);
        result = kSimApplied;
        return true;
    }
    if (!data || data->dwData != kSimStatementData)
        return false;
    SimAnswer answer{false, "refused: a statement of more than 64 KiB"};
    if (data->cbData <= kSimStatementLimit && (data->cbData == 0 || data->lpData))
        answer = Submit(std::string(static_cast<const char*>(data->lpData), data->cbData));
    SendSimAnswer(m_hWnd, sender, kSimAnswerData, answer.text.data(), answer.text.size());
    result = answer.applied ? kSimApplied : kSimRefused;
    return true;
}

bool CSimBusWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COPYDATA:
        return OnCopyData(reinterpret_cast<HWND>(wParam), reinterpret_cast<const COPYDATASTRUCT*>(lParam), result);
    case WM_APP_SIM_TRACE:
        m_trace.Append(m_queue.Take());
        return true;
    case WM_APP_SIM_PLACE:
        Place();
        return true;
    case WM_TIMER:
        if (wParam != kRefreshTimer)
            return false;
        Refresh();
        return true;
    default:
        return false;
    }
}

bool CSimBusWindow::OnNotify(NMHDR* header, LRESULT&)
{
    if (header->idFrom != IDC_SIM_TRACE || header->code != LVN_GETDISPINFOA)
        return false;
    m_trace.AnswerDisplayInfo(*reinterpret_cast<NMLVDISPINFOA*>(header));
    return true;
}

SimBusView CSimBusWindow::ViewNow()
{
    return ViewOfBus(m_driver.Bus(), m_console.Roster(), m_console.Execute("faults").text);
}

void CSimBusWindow::Refresh()
{
    SimBusView now = ViewNow();
    if (now == m_shown)
        return;
    UpdateData(TRUE);   // what is typed stays as it is
    Show(std::move(now));
    UpdateData(FALSE);
}

void CSimBusWindow::Show(SimBusView view)
{
    // Only the lists whose rows changed are rebuilt, so that a selection and a scroll
    // position survive.
    if (view.devices != m_shown.devices)
        ShowDevices(view.devices);
    if (view.clock != m_shown.clock)
        ShowClock(view.clock);
    if (view.faults != m_shown.faults)
        ShowFaults(view.faults);
    m_strSummary = view.summary;
    m_form.streaming = view.streaming ? BST_CHECKED : BST_UNCHECKED;
    m_form.wdmInUse = view.wdmInUse ? BST_CHECKED : BST_UNCHECKED;
    m_shown = std::move(view);
}

void CSimBusWindow::ShowDevices(const std::vector<SimDeviceRow>& rows)
{
    CListCtrlEx::CRebuild rebuild(m_devices);
    m_devices.DeleteAllItems();
    for (size_t i = 0; i < rows.size(); ++i) {
        const SimDeviceRow& r = rows[i];
        const int row = m_devices.InsertItem(static_cast<int>(i), std::to_string(i + 1));
        const std::string* texts[] = {&r.state, &r.name, &r.serial, &r.inputs, &r.outputs, &r.plugs, &r.sync};
        for (int column = 1; column <= 7; ++column)
            m_devices.SetItemText(row, column, *texts[column - 1]);
    }
}

void CSimBusWindow::ShowClock(const SimClockChoice& clock)
{
    m_comboMaster.ResetContent();
    for (const std::string& master : clock.masters)
        m_comboMaster.AddString(master);
    m_comboMaster.SetCurSel(clock.current);
}

void CSimBusWindow::ShowFaults(const std::vector<std::string>& faults)
{
    const int selected = m_listFaults.GetCurSel();
    m_listFaults.ResetContent();
    for (const std::string& fault : faults)
        m_listFaults.AddString(fault);
    m_listFaults.SetCurSel(selected);
}

void CSimBusWindow::Place()
{
    RECT own{};
    ::GetWindowRect(m_hWnd, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    CWnd* panel = AfxGetMainWnd();
    RECT frame{0, 0, 0, 0};
    if (panel && panel->m_hWnd && ::IsWindowVisible(panel->m_hWnd))
        ::GetWindowRect(panel->m_hWnd, &frame);
    MONITORINFO monitor{sizeof monitor};
    ::GetMonitorInfoA(::MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    const int gap = ScaleToWindow(m_hWnd, 8);
    // Right of the panel if it fits, else left of it, else as far right as the screen allows.
    int x = frame.right + gap;
    if (x + width > area.right)
        x = frame.left - gap - width >= area.left ? frame.left - gap - width : area.right - width;
    const int y = std::max<int>(area.top, std::min<int>(frame.top, area.bottom - height));
    SetWindowPos(nullptr, std::max<int>(x, area.left), y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_bShown)
        ShowWindow(SW_SHOWNOACTIVATE);
}
