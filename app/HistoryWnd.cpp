#include "app/HistoryWnd.h"

#include <chrono>

#include "app/AppMessages.h"
#include "app/HistoryTextsFromTable.h"
#include "app/OVX_CPL.h"
#include "res/resource.h"
#include "snapshot/SnapshotFile.h"
#include "text/CodePage.h"
#include "text/FormatText.h"
#include "text/TimeText.h"
#include "text/Utf16.h"
#include "ui/AccessibleName.h"
#include "ui/Clipboard.h"
#include "ui/DataExchange.h"
#include "ui/Dpi.h"
#include "ui/FileDialog.h"
#include "ui/ResourceText.h"

namespace {

// At 96 DPI; the event takes what the list's width leaves.
constexpr int kTimeWidth = 125;     // "2026-12-10 14:03:07"
constexpr int kDeviceWidth = 170;   // "Zemra Desk 4 (ZD4-0019-82)"

}  // namespace

CHistoryWnd::CHistoryWnd() : CDialog(IDD_EVENT_HISTORY) {}

void CHistoryWnd::Open(CWnd* owner)
{
    if (!m_hWnd && !Create(IDD_EVENT_HISTORY, owner))
        return;
    if (::IsIconic(m_hWnd))
        ShowWindow(SW_RESTORE);
    ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
}

void CHistoryWnd::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_HISTORY_LIST, m_list);
}

BOOL CHistoryWnd::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_rows.emplace(LoadHistoryTexts());
    SetIcons();
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_LABELTIP);
    InsertColumns();
    SetAccessibleName(m_list.m_hWnd, LoadResString(IDS_NAME_HISTORY_LIST));
    ThePanelApp()->SetHistoryWindow(m_hWnd);
    Refresh();
    return TRUE;   // the focus goes to the list, the first tab stop
}

void CHistoryWnd::OnDestroy()
{
    if (COVX_CPLApp* app = ThePanelApp())
        app->SetHistoryWindow(nullptr);
    // The next Open makes a new window with new controls.
    m_list.m_hWnd = nullptr;
    m_rows.reset();
}

void CHistoryWnd::SetIcons()
{
    // The window has a task bar button of its own, since the panel may be hidden.
    const auto setIcon = [this](WPARAM which, int widthMetric, int heightMetric) {
        const HANDLE icon = ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                                         ::GetSystemMetrics(widthMetric), ::GetSystemMetrics(heightMetric), LR_SHARED);
        SendMessage(WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    };
    setIcon(ICON_BIG, SM_CXICON, SM_CYICON);
    setIcon(ICON_SMALL, SM_CXSMICON, SM_CYSMICON);
}

void CHistoryWnd::InsertColumns()
{
    RECT client{};
    ::GetClientRect(m_list.m_hWnd, &client);
    // Room for the vertical scroll bar from the start: the history grows while it is shown.
    const int room = client.right - ::GetSystemMetrics(SM_CXVSCROLL);
    const int eventWidth = ::MulDiv(room, USER_DEFAULT_SCREEN_DPI, static_cast<int>(WindowDpi(m_list.m_hWnd))) -
                           kTimeWidth - kDeviceWidth;
    m_list.InsertColumn(CHistoryRows::kTime, LoadResString(IDS_HISTORY_COL_TIME), LVCFMT_LEFT, kTimeWidth);
    m_list.InsertColumn(CHistoryRows::kEvent, LoadResString(IDS_HISTORY_COL_EVENT), LVCFMT_LEFT, eventWidth);
    m_list.InsertColumn(CHistoryRows::kDevice, LoadResString(IDS_HISTORY_COL_DEVICE), LVCFMT_LEFT, kDeviceWidth);
}

std::optional<uint64_t> CHistoryWnd::NumberOfRow(int row) const
{
    if (row < 0 || static_cast<size_t>(row) >= m_rows->Count())
        return std::nullopt;
    return m_rows->NumberOf(static_cast<size_t>(row));
}

std::vector<size_t> CHistoryWnd::SelectedRows() const
{
    std::vector<size_t> rows;
    for (int row = -1; (row = ListView_GetNextItem(m_list.m_hWnd, row, LVNI_SELECTED)) >= 0;) {
        if (static_cast<size_t>(row) < m_rows->Count())
            rows.push_back(static_cast<size_t>(row));
    }
    return rows;
}

void CHistoryWnd::Refresh()
{
    std::vector<uint64_t> selected;
    for (const size_t row : SelectedRows())
        selected.push_back(m_rows->NumberOf(row));
    const std::optional<uint64_t> focused = NumberOfRow(ListView_GetNextItem(m_list.m_hWnd, -1, LVNI_FOCUSED));
    // At the top the newest entries come into view; scrolled down, the entries read stay.
    const int top = m_list.GetTopIndex();
    const std::optional<uint64_t> topNumber = top > 0 ? NumberOfRow(top) : std::nullopt;

    if (!m_rows->Follow(ThePanelApp()->History()))
        return;
    m_list.SetItemCountEx(static_cast<int>(m_rows->Count()), LVSICF_NOSCROLL);
    m_list.SetItemState(-1, 0, LVIS_SELECTED);
    RestoreView(selected, focused, topNumber);   // entries cleared since are gone, and their rows with them
    ::InvalidateRect(m_list.m_hWnd, nullptr, FALSE);
    ::SetWindowTextA(Control(IDC_HISTORY_DROPPED), DroppedText().c_str());
    EnableButtons();
}

void CHistoryWnd::RestoreView(const std::vector<uint64_t>& selected, std::optional<uint64_t> focused,
                              std::optional<uint64_t> top)
{
    for (const uint64_t number : selected) {
        if (const int row = m_rows->RowOf(number); row >= 0)
            m_list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    }
    // A keyboard user starts from the focused row; without one, from the newest.
    const int focusedRow = focused ? m_rows->RowOf(*focused) : -1;
    if (m_rows->Count() > 0)
        m_list.SetItemState(focusedRow >= 0 ? focusedRow : 0, LVIS_FOCUSED, LVIS_FOCUSED);
    const int topRow = top ? m_rows->RowOf(*top) : -1;
    const int shown = m_list.GetTopIndex();
    RECT rowRect{};
    if (topRow > shown && ListView_GetItemRect(m_list.m_hWnd, 0, &rowRect, LVIR_BOUNDS))
        ListView_Scroll(m_list.m_hWnd, 0, (topRow - shown) * (rowRect.bottom - rowRect.top));
}

std::string CHistoryWnd::DroppedText() const
{
    const uint64_t dropped = m_rows->Dropped();
    const std::string kept = GroupedDecimalText(CEventHistory::kCapacity);
    if (dropped == 0)
        return {};
    if (dropped == 1)
        return FormatResString(IDS_HISTORY_DROPPED_ONE, {kept});
    return FormatResString(IDS_HISTORY_DROPPED, {GroupedDecimalText(dropped), kept});
}

void CHistoryWnd::EnableButtons()
{
    // A button greyed under the focus (Clear, just pressed) takes the focus with it, and
    // would leave the keyboard nowhere: the list has it then.
    HWND focus = ::GetFocus();
    const bool any = m_rows->Count() > 0;
    for (const int id : {IDC_HISTORY_COPY, IDC_HISTORY_SAVE, IDC_HISTORY_CLEAR})
        EnableWindowOf(Control(id), any);
    if (focus && ::GetParent(focus) == m_hWnd && !::IsWindowEnabled(focus))
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_list.m_hWnd), TRUE);
}

bool CHistoryWnd::OnCommand(UINT id, UINT code, HWND)
{
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDC_HISTORY_COPY: CopyLines(); return true;
    case IDC_HISTORY_SAVE: SaveAsText(); return true;
    case IDC_HISTORY_CLEAR: ClearAfterAsking(); return true;
    default: return false;
    }
}

bool CHistoryWnd::OnNotify(NMHDR* header, LRESULT&)
{
    if (header->idFrom != IDC_HISTORY_LIST)
        return false;
    switch (header->code) {
    case LVN_GETDISPINFOA:
        AnswerDisplayInfo(*reinterpret_cast<NMLVDISPINFOA*>(header));
        return true;
    case LVN_KEYDOWN:
        OnListKey(reinterpret_cast<NMLVKEYDOWN*>(header)->wVKey);
        return true;
    default:
        return false;
    }
}

bool CHistoryWnd::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result)
{
    if (message != WM_APP_HISTORY_CHANGED || !m_rows)
        return false;
    Refresh();
    result = 0;
    return true;
}

void CHistoryWnd::AnswerDisplayInfo(NMLVDISPINFOA& info) const
{
    const auto row = static_cast<size_t>(info.item.iItem);
    const int column = info.item.iSubItem;
    if (!(info.item.mask & LVIF_TEXT) || row >= m_rows->Count() || column < CHistoryRows::kTime ||
        column > CHistoryRows::kDevice || info.item.cchTextMax <= 0)
        return;
    ::lstrcpynA(info.item.pszText, m_rows->Text(row, static_cast<CHistoryRows::Column>(column)).c_str(),
                info.item.cchTextMax);
}

void CHistoryWnd::OnListKey(WORD key)
{
    // Ctrl alone: Ctrl with Alt is AltGr, which types characters on many keyboards.
    if (::GetKeyState(VK_CONTROL) >= 0 || ::GetKeyState(VK_MENU) < 0)
        return;
    if (key == 'C' || key == VK_INSERT)
        CopyLines();
    else if (key == 'A')
        m_list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
}

void CHistoryWnd::CopyLines()
{
    const std::vector<size_t> rows = SelectedRows();
    const std::string lines = rows.empty() ? m_rows->AllLines() : m_rows->Lines(rows);
    if (!lines.empty() && !PutTextOnClipboard(m_hWnd, Utf16FromAnsiReplacing(lines)))
        AfxMessageBox(IDS_HISTORY_CLIPBOARD_FAILED, MB_ICONEXCLAMATION);
}

void CHistoryWnd::SaveAsText()
{
    const FilePath path =
        PromptFilePath(m_hWnd, true, LoadResStringW(IDS_HISTORY_FILTER), L"txt", LoadResStringW(IDS_HISTORY_FILE_NAME));
    if (path.empty() || !m_rows)   // the window may have been closed meanwhile
        return;
    Refresh();   // a change that came as the dialog closed is saved too
    // The time the file is made, in the entries' own format.
    const std::string madeAt = LocalTimeText(std::chrono::system_clock::now());
    std::string text = FormatResString(IDS_HISTORY_FILE_HEADER, {LoadResString(IDS_PANEL_TITLE), madeAt}) + "\r\n";
    if (const std::string dropped = DroppedText(); !dropped.empty())
        text += dropped + "\r\n";
    text += m_rows->AllLines();
    const FileOutcome written = WriteFileAtomically(path, Utf8FromAnsiReplacing(text));
    if (!written.ok)
        AfxMessageBox(FormatResString(IDS_HISTORY_SAVE_FAILED, {written.why}).c_str(), MB_ICONEXCLAMATION);
}

void CHistoryWnd::ClearAfterAsking()
{
    // Nothing brings the entries back, and nothing else keeps them: the default answer keeps them.
    if (AfxMessageBox(IDS_HISTORY_CLEAR_QUESTION, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES || !m_rows)
        return;
    ThePanelApp()->ClearHistory();
    Refresh();
}
