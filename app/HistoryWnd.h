// The Event History window: what the panel noticed while it ran, newest first, followed
// while it is open. There is one at most. The frame owns it, but it stays when the frame
// hides, so that it is opened and read from the tray as well. Its lines go to the
// clipboard (Copy, Ctrl+C) or to a text file, and Clear empties the history.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "app/HistoryRows.h"
#include "ui/Dialog.h"
#include "ui/ListCtrlEx.h"

class CHistoryWnd : public CDialog {
public:
    CHistoryWnd();

    // Creates the window owned by owner unless it is open, and brings it forward.
    void Open(CWnd* owner);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;

private:
    void SetIcons();
    void InsertColumns();
    // Follows the history if it changed, keeping the entries that were selected, focused
    // and scrolled to where the user left them.
    void Refresh();
    void RestoreView(const std::vector<uint64_t>& selected, std::optional<uint64_t> focused,
                     std::optional<uint64_t> top);
    std::string DroppedText() const;
    void EnableButtons();
    std::vector<size_t> SelectedRows() const;
    std::optional<uint64_t> NumberOfRow(int row) const;
    void AnswerDisplayInfo(NMLVDISPINFOA& info) const;
    void OnListKey(WORD key);
    void CopyLines();
    void SaveAsText();
    void ClearAfterAsking();

    CListCtrlEx m_list;
    std::optional<CHistoryRows> m_rows;   // while the window is open
};
