#include "tests/chaos/ChaosUser.h"

#include <commctrl.h>
#include <sstream>

#include "res/resource.h"
#include "tests/harness/RemoteBuffer.h"

namespace {

using What = ChaosExpect::What;
constexpr UINT kSelected = LVIS_SELECTED | LVIS_FOCUSED;
// The file name box of the system's file dialogs (cmb13 in the explorer style, edt1 before it).
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

ChaosOutcome Skipped(std::string why)
{
    ChaosOutcome outcome;
    outcome.skipped = std::move(why);
    return outcome;
}

ChaosOutcome Broken(const std::string& invariant, const std::string& detail)
{
    ChaosOutcome outcome;
    outcome.broken = true;
    outcome.violation = {invariant, detail};
    return outcome;
}

std::string Text(HWND window)
{
    char text[512] = "";
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, &ignored);
    return text;
}

int Rows(HWND list)
{
    return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

int SelectedRow(HWND list)
{
    return static_cast<int>(::SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool Ticked(HWND list, int row)
{
    return ((::SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

int Number(const std::vector<std::string>& w, size_t index)
{
    return index < w.size() ? std::atoi(w[index].c_str()) : -1;
}

}  // namespace

ChaosOutcome CChaosUser::Do(const std::string& action)
{
    std::vector<std::string> w;
    std::istringstream words(action);
    for (std::string word; words >> word;)
        w.push_back(word);
    if (w.empty())
        return Skipped("no action");
    if (w[0] == "start") {
        const std::string arguments = w.size() > 1 ? w[1] : "";
        const long code = m_panel.SecondStart(arguments);
        if (code != 0)
            return Broken("a second start hands over", "a start with \"" + arguments + "\" ended with " +
                                                           (code < 0 ? std::string("no exit within 30 s") : "code " + std::to_string(code)));
        return {};
    }
    HWND modal = m_panel.Modal();
    if (w[0] == "type" || w[0] == "mode" || w[0] == "ok" || w[0] == "cancel") {
        if (!modal)
            return Skipped("no modal box is open");
        if (w[0] == "type")
            w = {"type", action.substr(5)};
        return InModal(w, modal);
    }
    if (modal)
        return Skipped("a modal box is in front of the panel");
    if (w[0] == "hide" || w[0] == "show" || w[0] == "about" || w[0] == "save" || w[0] == "restore")
        return Window(w);
    if (!::IsWindowVisible(m_panel.Frame()))
        return Skipped("the panel is hidden");
    if (w[0] == "page") {
        const int page = Number(w, 1);
        if (page < 0 || page > 4)
            return Skipped("no such page");
        if (!m_panel.SelectPage(page))
            return Broken("the panel answers", "selecting page " + w[1] + " got no answer within 10 s");
        return {};
    }
    HWND shown = m_panel.ShownPage();
    for (int page = 0; page < 5; ++page) {
        if (shown && shown == m_panel.Page(page))
            return OnPage(w, page);
    }
    return Skipped("no page is shown");
}

ChaosOutcome CChaosUser::OnPage(const Words& w, int page)
{
    static constexpr int kLists[] = {IDC_DEVICE_LIST, IDC_CHANNEL_LIST, IDC_CHANNEL_LIST, IDC_SYNC_LIST, 0};
    static constexpr int kEditButtons[] = {IDC_EDIT_DEVICE_NAME, IDC_EDIT_CHANNEL_NAME, IDC_EDIT_CHANNEL_NAME,
                                           IDC_CHANGE_SYNC_MODE, 0};
    HWND pageWindow = m_panel.Page(page);
    HWND list = kLists[page] ? ::GetDlgItem(pageWindow, kLists[page]) : nullptr;
    if (w[0] == "row" && list)
        return SelectRow(list, Number(w, 1)) ? ChaosOutcome{} : Skipped("no such row");
    if (w[0] == "edit" && kEditButtons[page]) {
        NoteEditedRow(page);
        return Click(::GetDlgItem(pageWindow, kEditButtons[page]));
    }
    if (w[0] == "double-click" && list) {
        const int row = Number(w, 1);
        if (!SelectRow(list, row))
            return Skipped("no such row");
        NoteEditedRow(page);
        CRemoteBuffer remote(list);
        const RECT rect = remote.ItemRect(list, row);
        const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        // The first click of the two selected the row (its button-down would start the
        // list's drag detection, which waits for a real mouse).
        const auto delivery = m_panel.Deliver(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
        ::PostMessageA(list, WM_LBUTTONUP, 0, point);
        return Delivered(delivery, {}, "a double click");
    }
    switch (page) {
    case 0: return Devices(w);
    case 1:
    case 2: return Channels(w, page - 1);
    case 3: return Synchronisation(w);
    default: return Settings(w);
    }
}

ChaosOutcome CChaosUser::Devices(const Words& w)
{
    HWND page = m_panel.Page(0);
    if (w[0] == "up" || w[0] == "down") {
        ChaosOutcome outcome = Click(::GetDlgItem(page, w[0] == "up" ? IDC_DEVICE_UP : IDC_DEVICE_DOWN));
        m_devicesMoved = m_devicesMoved || outcome.skipped.empty();
        return outcome;
    }
    if (w[0] != "apply")
        return Skipped("not on this page");
    ChaosExpect expect{What::Ranking};
    HWND list = ::GetDlgItem(page, IDC_DEVICE_LIST);
    CRemoteBuffer remote(list);
    for (int row = 0; row < Rows(list); ++row)
        expect.serials.push_back(remote.ListText(list, row, 1));
    ChaosOutcome outcome = Click(::GetDlgItem(page, IDC_APPLY_RANKING), expect);
    if (outcome.skipped.empty())
        m_devicesMoved = false;
    return outcome;
}

ChaosOutcome CChaosUser::Channels(const Words& w, int direction)
{
    if (w[0] != "include")
        return Skipped("not on this page");
    return Click(::GetDlgItem(m_panel.Page(1 + direction), IDC_INCLUDE_DEVICE_NAME), {What::NameOption});
}

ChaosOutcome CChaosUser::Synchronisation(const Words& w)
{
    HWND page = m_panel.Page(3);
    HWND list = ::GetDlgItem(page, IDC_SYNC_LIST);
    if (w[0] == "tick") {
        const int row = Number(w, 1);
        if (row < 0 || row >= Rows(list))
            return Skipped("no such row");
        CRemoteBuffer remote(list);
        remote.SetItemState(list, row, INDEXTOSTATEIMAGEMASK(Ticked(list, row) ? 1 : 2), LVIS_STATEIMAGEMASK);
        return {};
    }
    if (w[0] == "manual")
        return Click(::GetDlgItem(page, IDC_RATE_MANUAL));
    if (w[0] == "rate-apply") {
        m_editor = {};
        return Click(::GetDlgItem(page, IDC_RATE_APPLY), {What::SampleRate});
    }
    if (w[0] == "rate") {
        HWND combo = ::GetDlgItem(page, IDC_SAMPLE_RATE_COMBO);
        const int entry = Number(w, 1);
        if (!::IsWindowEnabled(combo) || entry < 0 || entry >= ::SendMessageA(combo, CB_GETCOUNT, 0, 0))
            return Skipped("no such rate to choose");
        ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        return Delivered(m_panel.Deliver(page, WM_COMMAND, MAKEWPARAM(IDC_SAMPLE_RATE_COMBO, CBN_SELCHANGE),
                                         reinterpret_cast<LPARAM>(combo)),
                         {}, "a rate chosen");
    }
    if (w[0] != "apply")
        return Skipped("not on this page");
    ChaosExpect expect{What::Synchronisation};
    CRemoteBuffer remote(list);
    for (int row = 0; row < Rows(list); ++row) {
        if (!Ticked(list, row))
            continue;
        expect.masterTicked = true;
        expect.pcDriverMaster = row == 0;
        if (row > 0)
            expect.ids = m_history.DevicesNamed(remote.ListText(list, row, 1));
        break;
    }
    return Click(::GetDlgItem(page, IDC_SYNC_APPLY), expect);
}

ChaosOutcome CChaosUser::Settings(const Words& w)
{
    static constexpr struct {
        const char* name;
        int slider;
        int apply;
        What what;
    } kBuffers[] = {{"stream", IDC_STREAM_DEPTH_SLIDER, IDC_STREAM_APPLY, What::StreamBuffer},
                    {"asio", IDC_ASIO_DEPTH_SLIDER, IDC_ASIO_APPLY, What::AsioBuffer},
                    {"wdm", IDC_WDM_DEPTH_SLIDER, IDC_WDM_APPLY, What::WdmBuffer}};
    HWND page = m_panel.Page(4);
    for (const auto& buffer : kBuffers) {
        if (w.size() < 2 || w[1] != buffer.name)
            continue;
        if (w[0] == "buffer-apply")
            return Click(::GetDlgItem(page, buffer.apply), {buffer.what});
        if (w[0] != "slider")
            break;
        HWND slider = ::GetDlgItem(page, buffer.slider);
        if (!::IsWindowEnabled(slider))
            return Skipped("the track bar is disabled");
        const LRESULT low = ::SendMessageA(slider, TBM_GETRANGEMIN, 0, 0), high = ::SendMessageA(slider, TBM_GETRANGEMAX, 0, 0);
        const LRESULT position = low + (high - low) * Number(w, 2) / 1000;
        ::SendMessageA(slider, TBM_SETPOS, TRUE, position);
        // What the track bar sends its parent when the user lets go of its thumb.
        m_panel.Deliver(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
        return Delivered(m_panel.Deliver(page, WM_HSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(slider)), {}, "a track bar moved");
    }
    return Skipped("not on this page");
}

ChaosOutcome CChaosUser::InModal(const Words& w, HWND modal)
{
    HWND edit = ::GetDlgItem(modal, IDC_DEVICE_NAME_EDIT);
    if (!edit)
        edit = ::GetDlgItem(modal, IDC_CHANNEL_NAME_EDIT);
    if (w[0] == "type") {
        if (!edit)
            return Skipped("the modal box has no name to type");
        ::SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w[1].c_str()), SMTO_NORMAL, 5000, nullptr);
        return {};
    }
    if (w[0] == "mode") {
        HWND list = ::GetDlgItem(modal, IDC_SYNC_LIST);
        const int row = Number(w, 1);
        if (!list || row < 0 || row >= Rows(list))
            return Skipped("no such mode");
        CRemoteBuffer remote(list);
        remote.SetItemState(list, row, INDEXTOSTATEIMAGEMASK(Ticked(list, row) ? 1 : 2), LVIS_STATEIMAGEMASK);
        return {};
    }
    const bool ok = w[0] == "ok";
    if (HWND name = ::GetDlgItem(modal, kFileNameCombo) ? ::GetDlgItem(modal, kFileNameCombo) : ::GetDlgItem(modal, kFileNameEdit))
        return InFileDialog(ok, modal, name);
    // The restore's plan: Restore (its OK) writes what the plan lists.
    const bool plan = ::GetDlgItem(modal, IDC_PLAN_LIST) != nullptr;
    ChaosExpect expect = ok && (edit || plan) ? m_editor : ChaosExpect{};
    if (ok && edit)
        expect.name = Text(edit).substr(0, 39);
    // A restore goes on past its message boxes: the plan is shown again after one that
    // says the driver changed while it was shown.
    if (!plan && m_editor.what != What::Restore)
        m_editor = {};
    HWND button = ::GetDlgItem(modal, ok ? IDOK : IDCANCEL);
    const auto delivery = button ? m_panel.Deliver(button, BM_CLICK, 0, 0)
                                 : m_panel.Deliver(modal, WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
    // The handler that opened the box goes on once the box is gone: wait for that too.
    for (int waited = 0; ::IsWindow(modal) && waited < 30000; waited += 10)
        ::Sleep(10);
    if (::IsWindow(modal))
        return Broken("the panel answers", std::string("the modal box did not close within 30 s of ") + (ok ? "OK" : "Cancel"));
    return Delivered(delivery, expect, ok ? "OK" : "Cancel");
}

// The file dialog of a snapshot: OK names the run's snapshot file, as typed.
ChaosOutcome CChaosUser::InFileDialog(bool ok, HWND dialog, HWND name)
{
    if (ok)
        ::SendMessageTimeoutA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_snapshotPath.c_str()), SMTO_NORMAL, 5000, nullptr);
    // The dialog's handler goes on when it is gone: to the plan, a message, or the end;
    // or it stays behind a question of its own (replace the file?). A dialog still
    // setting up its shell view may not take the first press: press again, as a user would.
    // Asked once per turn: a box that comes up after the dialog may be gone by a second
    // look, with the dialog still hidden on its way out.
    const auto answered = [&] {
        HWND front = m_panel.Modal();
        return !::IsWindow(dialog) || (front && front != dialog);
    };
    bool done = answered();
    for (int waited = 0; !done && waited < 30000; waited += 10) {
        if (waited % 3000 == 0)
            ::PostMessageA(dialog, WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
        ::Sleep(10);
        done = answered();
    }
    if (!done) {
        DWORD_PTR ignored = 0;
        const bool answers = ::SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &ignored) != 0;
        HWND front = m_panel.Modal();
        return Broken("the panel answers", std::string("the file dialog did not close within 30 s (") +
                                               (::IsWindowVisible(dialog) ? "visible" : "hidden") + ", " +
                                               (::IsWindowEnabled(dialog) ? "enabled" : "disabled") + ", " +
                                               (answers ? "answers" : "does not answer") + ", front \"" +
                                               (front ? Text(front) : std::string("none")) + "\")");
    }
    if (!ok)
        m_editor = {};
    else
        ++m_fileNamesChosen;
    return {};
}

ChaosOutcome CChaosUser::Window(const Words& w)
{
    HWND frame = m_panel.Frame();
    if (w[0] == "show")
        return Delivered(m_panel.Deliver(frame, WM_COMMAND, ID_TRAY_OPEN, 0), {}, "Open");
    if (!::IsWindowVisible(frame))
        return Skipped("the panel is hidden");
    if (w[0] == "hide")
        return Delivered(m_panel.Deliver(frame, WM_SYSCOMMAND, SC_CLOSE, 0), {}, "the close box");
    m_editor = {};
    // The File menu's items, as the menu sends them; their file dialog comes up modal.
    if (w[0] == "save" || w[0] == "restore") {
        m_editor = {w[0] == "save" ? What::Nothing : What::Restore};
        const WPARAM item = w[0] == "save" ? ID_SAVE_SNAPSHOT : ID_RESTORE_SNAPSHOT;
        return Delivered(m_panel.Deliver(frame, WM_COMMAND, item, 0), {}, "a File menu item");
    }
    return Delivered(m_panel.Deliver(frame, WM_COMMAND, ID_APP_ABOUT, 0), {}, "About");
}

bool CChaosUser::SelectRow(HWND list, int row)
{
    if (row < 0 || row >= Rows(list))
        return false;
    CRemoteBuffer remote(list);
    remote.SetItemState(list, -1, 0, kSelected);
    remote.SetItemState(list, row, kSelected, kSelected);
    return true;
}

ChaosOutcome CChaosUser::Click(HWND button, ChaosExpect expect)
{
    if (!button || !::IsWindowVisible(button) || !::IsWindowEnabled(button))
        return Skipped("the button is disabled");
    return Delivered(m_panel.Deliver(button, BM_CLICK, 0, 0), std::move(expect), "a click");
}

ChaosOutcome CChaosUser::Delivered(CChaosPanel::Delivery delivery, ChaosExpect expect, const std::string& what)
{
    if (delivery == CChaosPanel::Delivery::NoAnswer)
        return Broken("the panel answers", what + " got no answer within 30 s");
    ChaosOutcome outcome;
    outcome.expect = std::move(expect);
    return outcome;
}

void CChaosUser::NoteEditedRow(int page)
{
    m_editor = {};
    HWND pageWindow = m_panel.Page(page);
    HWND list = ::GetDlgItem(pageWindow, page == 0 ? IDC_DEVICE_LIST : IDC_CHANNEL_LIST);
    if (page > 2 || SelectedRow(list) < 0)
        return;
    CRemoteBuffer remote(list);
    const int row = SelectedRow(list);
    if (page == 0) {
        m_editor = {What::DeviceName, m_history.DevicesWithSerial(remote.ListText(list, row, 1))};
        return;
    }
    std::string hardware = Text(::GetDlgItem(pageWindow, IDC_HARDWARE_NAME));
    if (!hardware.empty() && hardware[0] == ' ')
        hardware.erase(0, 1);
    m_editor = {What::ChannelName,
                m_history.ChannelsShown(page - 1, remote.ListText(list, row, 0), remote.ListText(list, row, 1), hardware)};
}
