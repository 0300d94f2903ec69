// Answers to the system's dialogs that the panel opens from inside its own commands: the
// file dialogs, answered by typing a name, and message boxes, read and closed.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

// A file of the temporary folder, by a name that may lie outside the ANSI code page;
// no file of that name is left there.
std::wstring TempFile(const wchar_t* name);
// Answers the next dialog that is what `is` looks for; the file dialog may still be
// closing when the next one is arranged.
void AnswerDialogWhere(std::function<bool(HWND)> is, std::function<void(HWND)> answer);
bool IsFileDialog(HWND dialog);
// Types the path into the next file dialog, runs then() and presses OK.
void AnswerFileDialog(const std::wstring& path, std::function<void()> then = {});
// Reads the next message box into text and closes it with OK.
void AnswerMessage(std::string& text);
