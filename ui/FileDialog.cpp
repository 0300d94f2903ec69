#include "ui/FileDialog.h"

#include <algorithm>
#include <cwchar>

#include "ui/Handles.h"
#include "ui/ResourceText.h"

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

std::wstring AskDocumentPath(HWND owner, bool save, UINT filterId, const wchar_t* defaultExtension,
                             const std::wstring& initialName)
{
    // Room for the longest path Windows takes, not MAX_PATH.
    std::wstring path(32768, L'\0');
    if (save)
        std::copy_n(initialName.begin(), std::min(initialName.size(), path.size() - 1), path.begin());
    std::wstring filter = LoadResStringW(filterId);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');   // the dialog's pairs end in NULs
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrDefExt = defaultExtension;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const bool chosen = save ? PromptSaveFileName(ofn) : PromptOpenFileName(ofn);
    path.resize(chosen ? std::wcslen(path.c_str()) : 0);
    return path;
}
