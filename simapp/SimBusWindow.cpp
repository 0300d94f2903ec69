#include "simapp/SimBusWindow.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "app/OVX_CPL.h"
#include "driver/ControlCodes.h"
#include "sim/SimDriver.h"
#include "simapp/SimProcessStats.h"
#include "simapp/SimResource.h"
#include "sim/SimResultName.h"
#include "simapp/SimStatementMessage.h"
#include "sim/SimTraceLine.h"
#include "sim/SimWords.h"
#include "ui/Dpi.h"
#include "ui/FileDialog.h"

namespace {

constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 500;
constexpr const char* kPlugNames[] = {"audio-out", "audio-in", "synch-out", "synch-in"};
constexpr const char* kPlugStates[] = {"present", "absent", "fail"};
constexpr const char* kBufferVerbs[] = {"stream-depth", "asio-depth", "wdm-depth"};
constexpr const char* kBufferNames[] = {"Stream", "ASIO", "WDM"};

// The kinds of fault the window offers, and the statement each one becomes.
struct FaultKind {
    const char* text;
    const char* verb;
    const char* how;   // malform's word; null where the value box says it
};
constexpr FaultKind kFaultKinds[] = {
    {"Fail with driver code", "fail", nullptr},
    {"Fail with system error", "fail", nullptr},
    {"Slow answer (ms)", "delay", nullptr},
    {"Unterminated text", "malform", "unterminated"},
    {"Counts beyond room", "malform", "counts"},
    {"Short answer", "malform", "short"},
    {"Endless events (kind)", "endless-events", nullptr},
};

std::string Hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

std::string PlugText(const SimPlug& plug, bool streaming)
{
    if (!plug.present)
        return "-";
    if (plug.failCode != 0)
        return "fail";
    return streaming ? std::to_string(plug.streamNumber) : "idle";
}

std::string DepthText(const SimDepth& depth)
{
    return std::to_string(depth.minimum) + " " + std::to_string(depth.step) + " " + std::to_string(depth.current) +
           " " + std::to_string(depth.maximum);
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

BOOL CSimBusWindow::OnInitDialog()
{
    m_devices.m_hWnd = Control(IDC_SIM_DEVICES);
    m_devices.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const struct {
        const char* heading;
        int width;
    } deviceColumns[] = {{"No.", 30}, {"State", 62}, {"Name", 110}, {"Serial", 90}, {"In", 30},
                         {"Out", 30}, {"Plugs o/i/so/si", 90}, {"Sync", 90}};
    for (int i = 0; i < 8; ++i)
        m_devices.InsertColumn(i, deviceColumns[i].heading, LVCFMT_LEFT, ScaleToWindow(m_hWnd, deviceColumns[i].width));

    m_trace.m_hWnd = Control(IDC_SIM_TRACE);
    m_trace.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    const struct {
        const char* heading;
        int width;
    } traceColumns[] = {{"Time", 48}, {"Request", 136}, {"Input", 104}, {"Result", 150}};
    for (int i = 0; i < 4; ++i)
        m_trace.InsertColumn(i, traceColumns[i].heading, LVCFMT_LEFT, ScaleToWindow(m_hWnd, traceColumns[i].width));

    const auto fill = [this](int id, auto&& texts, int selected) {
        for (const char* text : texts)
            ::SendMessageA(Control(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        ::SendMessageA(Control(id), CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    };
    fill(IDC_SIM_PLUG_WHICH, kPlugNames, 0);
    fill(IDC_SIM_PLUG_STATE, kPlugStates, 0);
    fill(IDC_SIM_BUFFER_WHICH, kBufferNames, 0);
    const char* eventKinds[] = {"1", "2", "3", "100"};
    fill(IDC_SIM_EVENT_KIND, eventKinds, 2);
    std::vector<const char*> requests{"open"};
    for (const OvxIoctl::Request& request : OvxIoctl::Catalogue())
        requests.push_back(request.name);
    fill(IDC_SIM_FAULT_REQUEST, requests, 1);
    std::vector<const char*> faultKinds;
    for (const FaultKind& kind : kFaultKinds)
        faultKinds.push_back(kind.text);
    fill(IDC_SIM_FAULT_KIND, faultKinds, 0);

    const SimBus bus = m_driver.Bus();
    ::SetDlgItemTextA(m_hWnd, IDC_SIM_NEW_NAME, "Zemra Pocket 2");
    ::SetDlgItemTextA(m_hWnd, IDC_SIM_NEW_SERIAL, "ZP2-0001-01");
    ::SetDlgItemTextA(m_hWnd, IDC_SIM_NEW_IN, "2");
    ::SetDlgItemTextA(m_hWnd, IDC_SIM_NEW_OUT, "2");
    ::SetDlgItemTextA(m_hWnd, IDC_SIM_PLUG_CODE, "0xE0000073");
    ::SetDlgItemTextA(m_hWnd, IDC_SIM_VERSION,
                      (std::to_string(bus.version.interfaceMajor) + " " + std::to_string(bus.version.interfaceMinor) +
                       " " + std::to_string(bus.version.driverMajor) + " " + std::to_string(bus.version.driverMinor) +
                       " " + std::to_string(bus.version.driverBuild))
                          .c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_SIM_RATE, std::to_string(bus.currentRate).c_str());
    std::string rates;
    for (uint32_t rate : bus.supportedRates)
        rates += (rates.empty() ? "" : " ") + std::to_string(rate);
    ::SetDlgItemTextA(m_hWnd, IDC_SIM_RATES, rates.c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_SIM_BUFFER, DepthText(bus.streamDepth).c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_SIM_EVENT_COUNT, "1");
    ::SetDlgItemTextA(m_hWnd, IDC_SIM_FAULT_VALUE, "0xE0000001");

    Refresh();
    SetTimer(kRefreshTimer, kRefreshMs);
    // The panel's frame does not exist yet: it is placed beside it once the loop runs.
    PostMessage(WM_APP_SIM_PLACE);
    return TRUE;
}

void CSimBusWindow::OnDestroy()
{
    KillTimer(kRefreshTimer);
}

void CSimBusWindow::OnCancel()
{
    // The close box and Escape: the bus stays reachable by its statements.
    ShowWindow(SW_MINIMIZE);
}

std::string CSimBusWindow::ControlText(int id)
{
    char text[1024] = "";
    ::GetWindowTextA(Control(id), text, sizeof text);
    return text;
}

int CSimBusWindow::ComboIndex(int id)
{
    return static_cast<int>(::SendMessageA(Control(id), CB_GETCURSEL, 0, 0));
}

std::string CSimBusWindow::SelectedDevice()
{
    const int row = m_devices.GetFirstSelectedIndex();
    return row < 0 ? std::string() : " " + std::to_string(row + 1);
}

std::string CSimBusWindow::FaultStatement()
{
    const int request = ComboIndex(IDC_SIM_FAULT_REQUEST);
    const int kind = ComboIndex(IDC_SIM_FAULT_KIND);
    if (request < 0 || kind < 0)
        return "fail";
    char name[64] = "";
    ::SendMessageA(Control(IDC_SIM_FAULT_REQUEST), CB_GETLBTEXT, static_cast<WPARAM>(request),
                   reinterpret_cast<LPARAM>(name));
    const FaultKind& fault = kFaultKinds[kind];
    const bool always = ::SendMessageA(Control(IDC_SIM_FAULT_ALWAYS), BM_GETCHECK, 0, 0) == BST_CHECKED;
    // Events without end are no request's fault: the value box holds their kind.
    if (std::string(fault.verb) == "endless-events")
        return "endless-events " + ControlText(IDC_SIM_FAULT_VALUE);
    std::string statement = std::string(fault.verb) + " " + name + " ";
    if (fault.how)
        return statement + fault.how + (always ? "" : " once");
    statement += ControlText(IDC_SIM_FAULT_VALUE);
    return statement + (always && std::string(fault.verb) == "fail" ? " always" : "");
}

bool CSimBusWindow::OnCommand(UINT id, UINT code, HWND)
{
    if (code != BN_CLICKED)
        return false;
    std::string statement;
    switch (id) {
    case IDC_SIM_SEND:
        statement = ControlText(IDC_SIM_STATEMENT);
        break;
    case IDC_SIM_UNPLUG: statement = "unplug" + SelectedDevice(); break;
    case IDC_SIM_PLUG: statement = "plug" + SelectedDevice(); break;
    case IDC_SIM_SET_PLUG: {
        const int which = ComboIndex(IDC_SIM_PLUG_WHICH);
        const int state = ComboIndex(IDC_SIM_PLUG_STATE);
        statement = "plug-state" + SelectedDevice() + " " + kPlugNames[which < 0 ? 0 : which] + " " +
                    kPlugStates[state < 0 ? 0 : state];
        if (state == 2)
            statement += " " + ControlText(IDC_SIM_PLUG_CODE);
        break;
    }
    case IDC_SIM_ADD_DEVICE:
        statement = "add-device \"" + ControlText(IDC_SIM_NEW_NAME) + "\" \"" + ControlText(IDC_SIM_NEW_SERIAL) +
                    "\" " + ControlText(IDC_SIM_NEW_IN) + " " + ControlText(IDC_SIM_NEW_OUT);
        break;
    case IDC_SIM_UNLOAD: statement = "driver unload"; break;
    case IDC_SIM_LOAD: statement = "driver load"; break;
    case IDC_SIM_SET_VERSION: statement = "version " + ControlText(IDC_SIM_VERSION); break;
    case IDC_SIM_SET_RATE: statement = "rate " + ControlText(IDC_SIM_RATE); break;
    case IDC_SIM_SET_RATES: statement = "rates " + ControlText(IDC_SIM_RATES); break;
    case IDC_SIM_SET_MASTER: {
        const int master = ComboIndex(IDC_SIM_MASTER);
        const std::vector<SimRosterEntry> roster = m_console.Roster();
        statement = master <= 0 || static_cast<size_t>(master) > roster.size()
                        ? "clock 0 0"
                        : "clock 1 " + Hex(roster[static_cast<size_t>(master) - 1].id);
        break;
    }
    case IDC_SIM_STREAMING:
    case IDC_SIM_WDM_IN_USE:
        statement = std::string(id == IDC_SIM_STREAMING ? "streaming" : "wdm-in-use") +
                    (::SendMessageA(Control(static_cast<int>(id)), BM_GETCHECK, 0, 0) == BST_CHECKED ? " on" : " off");
        break;
    case IDC_SIM_DROPOUT: statement = "dropouts +1"; break;
    case IDC_SIM_SET_BUFFER: {
        const int which = ComboIndex(IDC_SIM_BUFFER_WHICH);
        statement = std::string(kBufferVerbs[which < 0 ? 0 : which]) + " " + ControlText(IDC_SIM_BUFFER);
        break;
    }
    case IDC_SIM_QUEUE_EVENT:
        statement = "event " + ControlText(IDC_SIM_EVENT_KIND) + " " + ControlText(IDC_SIM_EVENT_COUNT);
        break;
    case IDC_SIM_ADD_FAULT: statement = FaultStatement(); break;
    case IDC_SIM_REMOVE_FAULT: {
        // A listed fault reads as the statement that set it: its second word is the request.
        HWND list = Control(IDC_SIM_FAULTS);
        const LRESULT row = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
        std::vector<std::string> words;
        if (row >= 0 && ::SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0) < 255) {
            char line[256] = "";
            ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(line));
            SplitSimWords(line, words);
        }
        if (!words.empty() && words[0] == "endless-events")
            statement = "endless-events off";
        else
            statement = "clear fault" + (words.size() > 1 ? " " + words[1] : std::string());
        break;
    }
    case IDC_SIM_CLEAR_TRACE: statement = "clear trace"; break;
    case IDC_SIM_SAVE_TRACE: {
        char path[MAX_PATH] = "trace.txt";
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = m_hWnd;
        ofn.lpstrFilter = "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0";
        ofn.lpstrFile = path;
        ofn.nMaxFile = sizeof path;
        ofn.lpstrDefExt = "txt";
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        if (!PromptSaveFileName(ofn))
            return true;
        statement = std::string("save trace \"") + path + "\"";
        break;
    }
    default:
        return false;
    }
    Submit(statement);
    return true;
}

SimAnswer CSimBusWindow::WindowStatement(const std::string& statement, bool& handled)
{
    std::vector<std::string> w;
    handled = SplitSimWords(statement, w) && !w.empty() &&
              (w[0] == "stats" || (w[0] == "clear" && w.size() == 2 && w[1] == "trace") ||
               (w[0] == "save" && w.size() > 1 && w[1] == "trace"));
    if (!handled)
        return {};
    if (w[0] == "stats") {
        if (w.size() > 1)
            return {false, SimExpected(w, 1, "nothing more")};
        return {true, SimProcessStats()};
    }
    if (w[0] == "clear") {
        m_traceRows.clear();
        ListView_SetItemCountEx(m_trace.m_hWnd, 0, 0);
        return {true, "ok"};
    }
    if (w.size() != 3)
        return {false, SimExpected(w, w.size() < 3 ? w.size() : 3, w.size() < 3 ? "a \"PATH\"" : "nothing more")};
    std::ofstream file(w[2]);
    for (size_t row = 0; row < m_traceRows.size() && file; ++row) {
        file << TraceText(row, 0) << '\t' << TraceText(row, 1) << '\t' << TraceText(row, 2) << '\t'
             << TraceText(row, 3) << '\n';
    }
    file.flush();
    if (!file)
        return {false, "refused: " + w[2] + " cannot be written"};
    return {true, std::to_string(m_traceRows.size()) + " requests saved"};
}

SimAnswer CSimBusWindow::Submit(const std::string& statement)
{
    bool handled = false;
    SimAnswer answer = WindowStatement(statement, handled);
    if (!handled)
        answer = m_console.Execute(statement);
    const std::string shown = answer.text.substr(0, answer.text.find('\n'));
    ::SetDlgItemTextA(m_hWnd, IDC_SIM_ANSWER, ((answer.applied ? "" : "Refused: ") + shown).c_str());
    Refresh();
    return answer;
}

bool CSimBusWindow::OnCopyData(HWND sender, const COPYDATASTRUCT* data, LRESULT& result)
{
    if (!data || data->dwData != kSimStatementData)
        return false;
    SimAnswer answer{false, "refused: a statement of more than 64 KiB"};
    if (data->cbData <= kSimStatementLimit && (data->cbData == 0 || data->lpData))
        answer = Submit(std::string(static_cast<const char*>(data->lpData), data->cbData));
    if (sender && ::IsWindow(sender)) {
        COPYDATASTRUCT reply{kSimAnswerData, static_cast<DWORD>(answer.text.size()), answer.text.data()};
        // A sender that stopped answering must not stop the panel with it.
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(sender, WM_COPYDATA, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&reply),
                              SMTO_ABORTIFHUNG, 5000, &ignored);
    }
    result = answer.applied ? kSimApplied : kSimRefused;
    return true;
}

bool CSimBusWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COPYDATA:
        return OnCopyData(reinterpret_cast<HWND>(wParam), reinterpret_cast<const COPYDATASTRUCT*>(lParam), result);
    case WM_APP_SIM_TRACE:
        TakeTrace();
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
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(header);
    const auto row = static_cast<size_t>(info->item.iItem);
    if ((info->item.mask & LVIF_TEXT) && row < m_traceRows.size() && info->item.cchTextMax > 0) {
        const std::string text = TraceText(row, info->item.iSubItem);
        const size_t length = std::min(text.size(), static_cast<size_t>(info->item.cchTextMax - 1));
        text.copy(info->item.pszText, length);
        info->item.pszText[length] = '\0';
    }
    return true;
}

std::string CSimBusWindow::TraceText(size_t row, int column) const
{
    const SimTraceRow& r = m_traceRows[row];
    switch (column) {
    case 0: {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(r.time - m_start).count();
        char text[32];
        std::snprintf(text, sizeof text, "%lld.%03lld", static_cast<long long>(ms / 1000),
                      static_cast<long long>(ms % 1000));
        return text;
    }
    case 1: {
        const OvxIoctl::Request* request = OvxIoctl::FindRequest(r.entry.code);
        return request ? request->name : Hex(r.entry.code);
    }
    case 2: {
        std::string bytes;
        char hex[4];
        for (uint8_t byte : r.entry.input) {
            std::snprintf(hex, sizeof hex, "%02x", byte);
            bytes += hex;
        }
        return bytes.empty() ? "-" : bytes;
    }
    default:
        return SimResultName(r.entry.result);
    }
}

void CSimBusWindow::TakeTrace()
{
    std::vector<SimTraceRow> rows = m_queue.Take();
    if (rows.empty())
        return;
    const int count = static_cast<int>(m_traceRows.size());
    const int top = ListView_GetTopIndex(m_trace.m_hWnd);
    const int perPage = ListView_GetCountPerPage(m_trace.m_hWnd);
    // Following the end unless the user scrolled up to read.
    const bool following = count == 0 || top + perPage >= count;
    for (SimTraceRow& row : rows)
        m_traceRows.push_back(std::move(row));
    while (m_traceRows.size() > kTraceRows)
        m_traceRows.pop_front();
    const int now = static_cast<int>(m_traceRows.size());
    ListView_SetItemCountEx(m_trace.m_hWnd, now, LVSICF_NOSCROLL);
    ::InvalidateRect(m_trace.m_hWnd, nullptr, FALSE);
    if (following)
        m_trace.EnsureVisible(now - 1);
}

void CSimBusWindow::Refresh()
{
    const SimBus bus = m_driver.Bus();
    const std::vector<SimRosterEntry> roster = m_console.Roster();
    // The lists are rebuilt only when what they show has changed, so that a selection
    // and a scroll position survive the timer.
    std::string shown = DepthText(bus.streamDepth) + DepthText(bus.asioDepth) + DepthText(bus.wdmDepth);
    shown += std::to_string(bus.currentRate) + "/" + std::to_string(bus.asioDropouts) + "/" +
             std::to_string(bus.clockSource.masterFlag) + Hex(bus.clockSource.masterDeviceId) +
             std::to_string(bus.streaming) + std::to_string(bus.wdmDeviceInUse) + std::to_string(bus.driverPresent) +
             std::to_string(bus.version.interfaceMajor) + "." + std::to_string(bus.version.interfaceMinor) + "/" +
             std::to_string(bus.supportedRates.size()) + "/" + std::to_string(bus.rateMode);
    for (uint32_t rate : bus.supportedRates)
        shown += " " + std::to_string(rate);
    for (const SimRosterEntry& entry : roster) {
        shown += "|" + std::to_string(entry.id) + entry.device.name + entry.device.serialNumber +
                 std::to_string(entry.plugged) + entry.device.currentSync.name;
        for (const SimPlug& plug : entry.device.plugs)
            shown += PlugText(plug, bus.streaming);
    }
    for (const CSimFaults::Entry& fault : m_driver.Faults())
        shown += "#" + std::to_string(fault.code) + fault.words;
    if (shown == m_lastShown)
        return;
    m_lastShown = shown;
    FillDevices(roster);
    FillBus(bus, roster);
    FillFaults();
}

void CSimBusWindow::FillDevices(const std::vector<SimRosterEntry>& roster)
{
    const int selected = m_devices.GetFirstSelectedIndex();
    const SimBus bus = m_driver.Bus();
    m_devices.SetRedraw(FALSE);
    m_devices.DeleteAllItems();
    for (size_t i = 0; i < roster.size(); ++i) {
        const SimRosterEntry& entry = roster[i];
        const int row = m_devices.InsertItem(static_cast<int>(i), std::to_string(i + 1));
        std::string plugs;
        for (const SimPlug& plug : entry.device.plugs)
            plugs += (plugs.empty() ? "" : " / ") + PlugText(plug, bus.streaming && entry.plugged);
        const std::string texts[] = {entry.plugged ? "plugged in" : "unplugged",
                                     entry.device.name,
                                     entry.device.serialNumber,
                                     std::to_string(entry.inputs.size()),
                                     std::to_string(entry.outputs.size()),
                                     plugs,
                                     entry.device.currentSync.name};
        for (int column = 1; column <= 7; ++column)
            m_devices.SetItemText(row, column, texts[column - 1]);
    }
    if (selected >= 0 && selected < m_devices.GetItemCount())
        m_devices.SelectRow(selected);
    m_devices.SetRedraw(TRUE);
}

void CSimBusWindow::FillBus(const SimBus& bus, const std::vector<SimRosterEntry>& roster)
{
    std::string master = "the PC";
    for (const SimRosterEntry& entry : roster) {
        if (bus.clockSource.masterFlag == 1 && entry.plugged && entry.id == bus.clockSource.masterDeviceId)
            master = entry.device.name;
    }
    std::string rates;
    for (uint32_t rate : bus.supportedRates)
        rates += (rates.empty() ? "" : ", ") + std::to_string(rate);
    const std::string summary =
        std::string("Driver ") + (bus.driverPresent ? "loaded" : "unloaded") + ", interface version " +
        std::to_string(bus.version.interfaceMajor) + "." + std::to_string(bus.version.interfaceMinor) +
        ". Rate " + std::to_string(bus.currentRate) + " Hz of " + (rates.empty() ? "none" : rates) +
        "; rate mode " + std::to_string(bus.rateMode) + ". Clock master " + master + ".\nStreaming " +
        (bus.streaming ? "on" : "off") + (bus.wdmDeviceInUse ? ", WDM in use" : "") + ", " +
        std::to_string(bus.asioDropouts) + " drop outs. Buffers (min step current max, us): stream " +
        DepthText(bus.streamDepth) + "; ASIO " + DepthText(bus.asioDepth) + "; WDM " + DepthText(bus.wdmDepth) + ".";
    ::SetDlgItemTextA(m_hWnd, IDC_SIM_SUMMARY, summary.c_str());
    ::SendMessageA(Control(IDC_SIM_STREAMING), BM_SETCHECK, bus.streaming ? BST_CHECKED : BST_UNCHECKED, 0);
    ::SendMessageA(Control(IDC_SIM_WDM_IN_USE), BM_SETCHECK, bus.wdmDeviceInUse ? BST_CHECKED : BST_UNCHECKED, 0);

    HWND masters = Control(IDC_SIM_MASTER);
    ::SendMessageA(masters, CB_RESETCONTENT, 0, 0);
    ::SendMessageA(masters, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("The PC"));
    int current = 0;
    for (size_t i = 0; i < roster.size(); ++i) {
        const std::string text = std::to_string(i + 1) + " " + roster[i].device.name;
        ::SendMessageA(masters, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (bus.clockSource.masterFlag == 1 && roster[i].id == bus.clockSource.masterDeviceId)
            current = static_cast<int>(i + 1);
    }
    ::SendMessageA(masters, CB_SETCURSEL, static_cast<WPARAM>(current), 0);
}

void CSimBusWindow::FillFaults()
{
    HWND list = Control(IDC_SIM_FAULTS);
    const LRESULT selected = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    const std::string faults = m_console.Execute("faults").text;
    if (faults == "no faults")
        return;
    size_t begin = 0;
    while (begin <= faults.size()) {
        const size_t end = std::min(faults.find('\n', begin), faults.size());
        const std::string line = faults.substr(begin, end - begin);
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        begin = end + 1;
    }
    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
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
