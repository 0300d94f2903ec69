// What a user does to a page's controls, as the messages the controls get for it.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace Ui {

std::vector<std::string> Column(HWND list, int column);
std::string Cell(HWND list, int row, int column);
int SelectedRow(HWND list);
// Each row's check box, ticked or not.
std::vector<bool> Ticks(HWND list);
// A click on the row: it becomes selected and focused, the rest not.
void SelectRow(HWND list, int row);
// A double click at the row's place: the row selected by the first click, then the
// double click itself.
void DoubleClickRow(HWND list, int row);
// A click on an enabled button; a disabled one ignores it, as on the screen.
void Click(HWND button);
bool Enabled(HWND control);
bool Shown(HWND control);
bool Checked(HWND checkBox);
// Replaces the edit control's text as typing over a selection would.
void Type(HWND edit, const std::string& text);
// A key pressed and released on the control, which has the focus for it.
void PressKey(HWND control, WPARAM key);
// The space bar on a row, as a user toggles its check box from the keyboard.
void PressSpaceOn(HWND list, int row);
std::vector<std::string> ComboEntries(HWND combo);
int ComboSelection(HWND combo);
// Picks an entry as the user's choice in the drop-down list does.
void Choose(HWND combo, int index);

}  // namespace Ui

// Answers the next name editor: types the text and presses OK, or presses Cancel.
void AnswerNameEditor(int editId, const std::string& text, bool ok = true);
