// Answers to the modal windows a menu command opens, given before the command: the
// system's file dialogs by the name typed into them, a message box read and closed,
// and any dialog by a test of what it is (a file dialog may still be closing when the
// next one is arranged, and a dialog underneath stays visible while another is up).
#pragma once
#include <windows.h>
#include <functional>
#include <string>

// A file of the temporary folder for a file dialog to be given, by a name that may lie
// outside the ANSI code page; whatever had that name is removed first.
std::wstring TempFile(const wchar_t* name);

// Answers the next dialog for which is() holds; others are passed over.
void AnswerDialogWhere(std::function<bool(HWND)> is, std::function<void(HWND)> answer);
bool IsFileDialog(HWND dialog);
// Types path into the next file dialog and presses OK, after then(), which may arrange
// the dialog that follows; suggested, when given, receives the name the dialog offered.
void AnswerFileDialog(const std::wstring& path, std::function<void()> then = {}, std::wstring* suggested = nullptr);
// Reads the next message box into text and closes it with OK, after then().
void AnswerMessage(std::string& text, std::function<void()> then = {});
bool IsMessageBox(HWND dialog);
// A key pressed in a modal dialog, through its loop's dialog manager.
void PostKey(HWND control, WPARAM key);
