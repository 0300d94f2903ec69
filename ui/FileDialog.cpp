#include "ui/FileDialog.h"

#include "ui/Handles.h"

namespace {

using FileNamePrompt = BOOL(WINAPI*)(LPOPENFILENAMEA);

FileNamePrompt CommonDialogFunction(const char* name)
{
    static const CModuleHandle module(::LoadLibraryA("comdlg32.dll"));
    if (!module)
        return nullptr;
    return reinterpret_cast<FileNamePrompt>(reinterpret_cast<void*>(::GetProcAddress(module.Get(), name)));
}

bool Prompt(const char* name, OPENFILENAMEA& ofn)
{
    const FileNamePrompt prompt = CommonDialogFunction(name);
    return prompt && prompt(&ofn);
}

}  // namespace

bool PromptOpenFileName(OPENFILENAMEA& ofn)
{
    return Prompt("GetOpenFileNameA", ofn);
}

bool PromptSaveFileName(OPENFILENAMEA& ofn)
{
    return Prompt("GetSaveFileNameA", ofn);
}
