#include "ui/FileDialog.h"

#include "ui/Handles.h"

namespace {

template <typename Record>
using FileNamePrompt = BOOL(WINAPI*)(Record*);

FARPROC CommonDialogFunction(const char* name)
{
    static const CModuleHandle module(::LoadLibraryW(L"comdlg32.dll"));
    return module ? ::GetProcAddress(module.Get(), name) : nullptr;
}

template <typename Record>
bool Prompt(const char* name, Record& ofn)
{
    const auto prompt = reinterpret_cast<FileNamePrompt<Record>>(reinterpret_cast<void*>(CommonDialogFunction(name)));
    return prompt && prompt(&ofn);
}

}  // namespace

bool PromptOpenFileName(OPENFILENAMEW& ofn)
{
    return Prompt("GetOpenFileNameW", ofn);
}

bool PromptSaveFileName(OPENFILENAMEW& ofn)
{
    return Prompt("GetSaveFileNameW", ofn);
}

bool PromptOpenFileName(OPENFILENAMEA& ofn)
{
    return Prompt("GetOpenFileNameA", ofn);
}

bool PromptSaveFileName(OPENFILENAMEA& ofn)
{
    return Prompt("GetSaveFileNameA", ofn);
}
