// The system's Open and Save As dialogs. Their DLL is loaded the first time one is
// asked for: linked in, it brings the print spooler and its libraries into every
// start of the panel, which never shows either dialog unless the user asks.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <string>

// GetOpenFileName and GetSaveFileName; false when the user cancels, when the dialog
// fails, or when the DLL cannot be loaded. The wide ones hand over the chosen path as
// the file system takes it, whatever the ANSI code page holds: a document's path; the
// ANSI ones are for a name that goes on as a text of the code page.
bool PromptOpenFileName(OPENFILENAMEW& ofn);
bool PromptSaveFileName(OPENFILENAMEW& ofn);
bool PromptOpenFileName(OPENFILENAMEA& ofn);
bool PromptSaveFileName(OPENFILENAMEA& ofn);

// The path of a document the user chose in the wide dialog owned by owner, or an empty
// one when they cancelled. filterId names a string of the table in pairs, each part
// ended by '|': "Text files (*.txt)|*.txt|All files (*.*)|*.*|". Saving asks before
// it replaces a file; opening takes only a file that exists. initialName fills the
// name box (saving only).
std::wstring AskDocumentPath(HWND owner, bool save, UINT filterId, const wchar_t* defaultExtension,
                             const std::wstring& initialName = {});
