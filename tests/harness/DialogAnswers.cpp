#include "tests/harness/DialogAnswers.h"

#include "tests/harness/PanelHarness.h"

namespace {

// The file name box of the system's file dialogs (cmb13 in the explorer style, edt1 before it).
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;

}  // namespace

std::wstring TempFile(const wchar_t* name)
{
    wchar_t dir[MAX_PATH] = L"";
    ::GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + name;
    ::DeleteFileW(path.c_str());
    return path;
}

void AnswerDialogWhere(std::function<bool(HWND)> is, std::function<void(HWND)> answer)
{
    AnswerNextDialog([=](HWND dialog) {
        if (is(dialog))
            answer(dialog);
        else
            AnswerDialogWhere(is, answer);
    });
}

bool IsFileDialog(HWND dialog)
{
    return ::GetDlgItem(dialog, kFileNameCombo) || ::GetDlgItem(dialog, kFileNameEdit);
}

void AnswerFileDialog(const std::wstring& path, std::function<void()> then)
{
    AnswerNextDialog([=](HWND dialog) {
        HWND name = ::GetDlgItem(dialog, kFileNameCombo) ? ::GetDlgItem(dialog, kFileNameCombo)
                                                         : ::GetDlgItem(dialog, kFileNameEdit);
        ::SetWindowTextW(name, path.c_str());
        if (then)
            then();
        ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
}

void AnswerMessage(std::string& text)
{
    const auto isMessageBox = [](HWND box) { return !IsFileDialog(box) && ::GetDlgItem(box, 0xFFFF); };
    AnswerDialogWhere(isMessageBox, [&text](HWND box) {
        text = WindowText(::GetDlgItem(box, 0xFFFF));   // the message box's static text
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
}
