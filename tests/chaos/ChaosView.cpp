#include "tests/chaos/ChaosView.h"

#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <map>

#include "res/resource.h"
#include "tests/harness/RemoteBuffer.h"

namespace {

using nlohmann::json;

constexpr char kInvariant[] = "pages show what the driver holds";

std::string RateText(uint32_t rate)
{
    return std::to_string(rate / 1000) + "." + std::to_string((rate % 1000) / 100) + " kHz";
}

std::string SyncText(const json& entry)
{
    static const char* const kModes[] = {"Unspecified", "CSP", "SYT", "SYT", "Digital Input", "External Clock", "Internal"};
    const uint32_t mode = entry["mode"];
    std::string text = mode < 7 ? kModes[mode] : "";
    const std::string name = entry["name"];
    if (!name.empty())
        text += " (" + name + ")";
    return text;
}

bool Ticked(HWND list, int row)
{
    return ((::SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

class CViewCheck {
public:
    CViewCheck(const CChaosPanel& panel, const json& state, const ChaosLeeway& leeway, ChaosViolation& violation)
        : m_panel(panel), m_remote(panel.Frame()), m_leeway(leeway), m_violation(violation)
    {
        // An unloaded driver reports nothing to the panel, nor one it holds no connection to.
        const bool loaded = state.value("driver", false) && state.value("connections", 0) > 0;
        m_devices = loaded ? state["devices"] : json::array();
        m_channels[0] = loaded ? state["inputs"] : json::array();
        m_channels[1] = loaded ? state["outputs"] : json::array();
        m_state = loaded ? state : json::object();
    }

    bool Check() { return Devices() && Channels(0) && Channels(1) && Synchronisation() && Rates() && Streams() && Buffers(); }

private:
    bool Expect(const std::string& where, const std::string& shown, const std::string& held)
    {
        if (shown == held)
            return true;
        m_violation = {kInvariant, where + " shows \"" + shown + "\" where the driver holds \"" + held + "\""};
        return false;
    }
    std::string Cell(HWND list, int row, int column) { return m_remote.ListText(list, row, column); }
    int Rows(HWND list) const { return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }
    bool Devices();
    bool Channels(int direction);
    bool Synchronisation();
    bool Rates();
    bool Streams();
    bool Buffers();
    bool Buffer(const char* name, int slider, int apply);

    const CChaosPanel& m_panel;
    CRemoteBuffer m_remote;
    const ChaosLeeway& m_leeway;
    ChaosViolation& m_violation;
    json m_devices;
    json m_channels[2];
    json m_state;
};

bool CViewCheck::Devices()
{
    HWND list = ::GetDlgItem(m_panel.Page(0), IDC_DEVICE_LIST);
    const int n = static_cast<int>(m_devices.size());
    if (!Expect("the device list's row count", std::to_string(Rows(list)), std::to_string(n)))
        return false;
    std::vector<std::string> shown, held;
    for (int row = 0; row < n; ++row) {
        shown.push_back(Cell(list, row, 0) + " / " + Cell(list, row, 1));
        held.push_back(m_devices[row]["name"].get<std::string>() + " / " + m_devices[row]["serial"].get<std::string>());
    }
    // Moves not yet applied reorder the rows, nothing more.
    if (m_leeway.devicesMoved) {
        std::sort(shown.begin(), shown.end());
        std::sort(held.begin(), held.end());
    }
    for (int row = 0; row < n; ++row) {
        if (!Expect("device row " + std::to_string(row), shown[row], held[row]))
            return false;
    }
    return Expect("status pane 1", m_remote.PaneText(m_panel.StatusBar(), 1), std::to_string(n) + " Device(s) connected.");
}

bool CViewCheck::Channels(int direction)
{
    HWND page = m_panel.Page(1 + direction);
    HWND list = ::GetDlgItem(page, IDC_CHANNEL_LIST);
    const std::string where = direction ? "output channel" : "input channel";
    std::map<uint32_t, std::string> names;
    for (const json& device : m_devices)
        names[device["id"]] = device["name"];
    const bool included = ::SendMessageA(::GetDlgItem(page, IDC_INCLUDE_DEVICE_NAME), BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (!m_leeway.optionByBus && m_state.contains("asioNameOption") &&
        !Expect("the " + where + " page's check box", included ? "ticked" : "clear",
                m_state["asioNameOption"] != 0 ? "ticked" : "clear"))
        return false;
    std::vector<std::string> held;
    for (const json& channel : m_channels[direction]) {
        // A channel whose device cannot be read has no row.
        const auto owner = names.find(channel["deviceId"].get<uint32_t>());
        if (owner == names.end())
            continue;
        const std::string name = channel["name"];
        const std::string asio = ((included ? owner->second + " - " : std::string()) + name).substr(0, 32);
        held.push_back(owner->second + " / " + name + " / " + asio);
    }
    if (!Expect("the " + where + " list's row count", std::to_string(Rows(list)), std::to_string(held.size())))
        return false;
    for (size_t row = 0; row < held.size(); ++row) {
        const int r = static_cast<int>(row);
        if (!Expect(where + " row " + std::to_string(row), Cell(list, r, 0) + " / " + Cell(list, r, 1) + " / " + Cell(list, r, 2),
                    held[row]))
            return false;
    }
    return true;
}

bool CViewCheck::Synchronisation()
{
    HWND page = m_panel.Page(3);
    HWND list = ::GetDlgItem(page, IDC_SYNC_LIST);
    const int n = static_cast<int>(m_devices.size());
    if (!Expect("the synchronisation list's row count", std::to_string(Rows(list)), std::to_string(n ? n + 1 : 0)))
        return false;
    if (n == 0)
        return true;
    if (!Expect("synchronisation row 0", Cell(list, 0, 1), "PC Driver"))
        return false;
    for (int i = 0; i < n; ++i) {
        if (!Expect("synchronisation row " + std::to_string(i + 1), Cell(list, i + 1, 1), m_devices[i]["name"]))
            return false;
    }
    // Changes the user has not applied are the page's own until Apply or a refresh,
    // which leaves Apply enabled.
    if (::IsWindowEnabled(::GetDlgItem(page, IDC_SYNC_APPLY)) || !m_state.contains("clock"))
        return true;
    const uint32_t flag = m_state["clock"]["masterFlag"], master = m_state["clock"]["masterId"];
    if (!Expect("synchronisation row 0's clock", Cell(list, 0, 2), flag == 0 ? "Internal" : flag == 1 ? "External" : ""))
        return false;
    for (int row = 0; row <= n; ++row) {
        const bool held = row == 0 ? flag == 0 : flag == 1 && m_devices[row - 1]["id"] == master;
        if (!Expect("synchronisation row " + std::to_string(row) + "'s tick", Ticked(list, row) ? "ticked" : "clear",
                    held ? "ticked" : "clear"))
            return false;
        if (row > 0 && m_devices[row - 1].contains("sync") &&
            !Expect("synchronisation row " + std::to_string(row) + "'s mode", Cell(list, row, 2), SyncText(m_devices[row - 1]["sync"])))
            return false;
    }
    const bool manual = ::SendMessageA(::GetDlgItem(page, IDC_RATE_MANUAL), BM_GETCHECK, 0, 0) == BST_CHECKED;
    // With the PC driver as the master the rate is set by hand: the page derives that on
    // every change its list tells of, a selection included, even where the driver still
    // holds the automatic mode from before.
    if (flag == 0 && manual)
        return true;
    return !m_state.contains("rateMode") ||
           Expect("the manual rate button", manual ? "ticked" : "clear", m_state["rateMode"] == 0 ? "ticked" : "clear");
}

bool CViewCheck::Rates()
{
    const bool known = !m_devices.empty() && m_state.contains("rate");
    const std::string text = known ? RateText(m_state["rate"]) : "unknown";
    if (!Expect("status pane 2", m_remote.PaneText(m_panel.StatusBar(), 2), "Current sampling rate: " + text))
        return false;
    HWND page = m_panel.Page(3);
    HWND combo = ::GetDlgItem(page, IDC_SAMPLE_RATE_COMBO);
    if (!known || ::IsWindowEnabled(::GetDlgItem(page, IDC_RATE_APPLY)))
        return true;
    const auto& rates = m_state["rates"];
    const bool offered = std::find(rates.begin(), rates.end(), m_state["rate"]) != rates.end();
    // Each entry carries its rate in Hz, the one marked unavailable 0.
    const LRESULT selected = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    const LRESULT data = selected >= 0 ? ::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0) : -1;
    const auto entry = [](LRESULT hz) { return hz < 0 ? std::string("none") : hz == 0 ? "unavailable" : RateText(static_cast<uint32_t>(hz)); };
    return Expect("the sampling rate box's choice", entry(data), offered ? text : "unavailable");
}

bool CViewCheck::Streams()
{
    std::string held = m_devices.empty() ? "no streams available" : "streaming";
    for (const json& device : m_devices) {
        for (int plug = 0; plug < 2 && device.contains("plugs"); ++plug) {
            if (device["plugs"][plug]["state"] != 3)
                held = "connect failed";
        }
    }
    return Expect("status pane 3", m_remote.PaneText(m_panel.StatusBar(), 3), held);
}

bool CViewCheck::Buffer(const char* name, int sliderId, int applyId)
{
    HWND page = m_panel.Page(4);
    HWND slider = ::GetDlgItem(page, sliderId);
    const json depth = m_state.contains("buffers") ? m_state["buffers"][name] : json(nullptr);
    const std::string where = std::string("the ") + name + " track bar";
    if (!Expect(where, ::IsWindowEnabled(slider) ? "enabled" : "disabled", depth.is_null() ? "disabled" : "enabled"))
        return false;
    // A position the user moved to, or one the refresh moved onto the grid, waits for Apply.
    if (depth.is_null() || ::IsWindowEnabled(::GetDlgItem(page, applyId)) || depth["step"] == 0)
        return true;
    const uint32_t step = depth["step"];
    const uint32_t minimum = depth["minimum"], current = depth["current"];
    return Expect(where + "'s position", std::to_string(::SendMessageA(slider, TBM_GETPOS, 0, 0)),
                  std::to_string(current / step)) &&
           Expect(where + "'s first position", std::to_string(::SendMessageA(slider, TBM_GETRANGEMIN, 0, 0)),
                  std::to_string(minimum / step));
}

bool CViewCheck::Buffers()
{
    return Buffer("stream", IDC_STREAM_DEPTH_SLIDER, IDC_STREAM_APPLY) && Buffer("asio", IDC_ASIO_DEPTH_SLIDER, IDC_ASIO_APPLY) &&
           Buffer("wdm", IDC_WDM_DEPTH_SLIDER, IDC_WDM_APPLY);
}

}  // namespace

bool CheckChaosView(const CChaosPanel& panel, const json& state, const ChaosLeeway& leeway, ChaosViolation& violation)
{
    return CViewCheck(panel, state, leeway, violation).Check();
}
