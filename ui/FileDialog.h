// The system's Open and Save As dialogs. Their DLL is loaded the first time one is
// asked for: linked in, it brings the print spooler and its libraries into every
// start of the panel, which never shows either dialog unless the user asks.
#pragma once
#include <windows.h>
#include <commdlg.h>

// GetOpenFileName and GetSaveFileName; false when the user cancels, when the dialog
// fails, or when the DLL cannot be loaded.
bool PromptOpenFileName(OPENFILENAMEA& ofn);
bool PromptSaveFileName(OPENFILENAMEA& ofn);
