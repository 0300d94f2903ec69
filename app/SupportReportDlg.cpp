#include "app/SupportReportDlg.h"

#include <cwchar>

#include "report/SupportReportText.h"
#include "report/SystemFacts.h"
#include "res/resource.h"
#include "snapshot/SnapshotFile.h"
#include "text/TimeText.h"
#include "text/Utf16.h"
#include "ui/DataExchange.h"
#include "ui/FileDialog.h"
#include "ui/ResourceText.h"

CSupportReportDlg::CSupportReportDlg(SupportFacts facts, CWnd* parent)
    : CDialog(IDD_SUPPORT_REPORT, parent), m_facts(std::move(facts))
{
}

void CSupportReportDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Check(dx, IDC_REPORT_WITH_NAMES, m_nWithNames);
}

BOOL CSupportReportDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    UseFixedPitchFont();
    // A report at the driver's limits passes the 32767 characters an edit box holds by default.
    ::SendMessageA(Control(IDC_REPORT_TEXT), EM_SETLIMITTEXT, 0, 0);
    m_facts.names.reset();   // left out until ticked, whatever the caller read
    ShowReport();
    // The report is read from its first line: the focus goes to it without the whole
    // text selected, which the dialog manager would do for the first tab stop.
    HWND report = Control(IDC_REPORT_TEXT);
    ::SetFocus(report);
    ::SendMessageA(report, EM_SETSEL, 0, 0);
    return FALSE;
}

void CSupportReportDlg::UseFixedPitchFont()
{
    // The dialog's own font gives the size, already in pixels of the window's DPI.
    LOGFONTW font{};
    const auto dialogFont = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    if (!dialogFont || !::GetObjectW(dialogFont, sizeof font, &font))
        return;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    std::wcsncpy(font.lfFaceName, L"Consolas", LF_FACESIZE - 1);
    m_font.Reset(::CreateFontIndirectW(&font));
    if (m_font)
        ::SendMessageA(Control(IDC_REPORT_TEXT), WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
}

void CSupportReportDlg::ShowReport()
{
    m_fileText = SupportReportFileText(WriteSupportReportText(m_facts));
    m_nWithNames = m_facts.names ? BST_CHECKED : BST_UNCHECKED;
    UpdateData(FALSE);
    // Wide, so that a name outside the code page shows as the file holds it.
    ::SetWindowTextW(Control(IDC_REPORT_TEXT), Utf16FromUtf8Replacing(m_fileText).c_str());
    // The names are the last section: shown where they were added.
    if (m_facts.names) {
        HWND text = Control(IDC_REPORT_TEXT);
        ::SendMessageA(text, EM_LINESCROLL, 0, ::SendMessageA(text, EM_GETLINECOUNT, 0, 0));
    }
}

bool CSupportReportDlg::OnCommand(UINT id, UINT code, HWND)
{
    if (id != IDC_REPORT_WITH_NAMES || code != BN_CLICKED)
        return false;
    const bool withNames = ::SendMessageA(Control(IDC_REPORT_WITH_NAMES), BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (withNames)
        m_facts.names = ReadComputerNames();
    else
        m_facts.names.reset();
    ShowReport();
    return true;
}

void CSupportReportDlg::OnOK()
{
    const std::wstring suggested =
        Utf16FromAnsiReplacing(FormatResString(IDS_REPORT_FILE_NAME, {LocalDateText(m_facts.writtenAt)}));
    const FilePath path = PromptFilePath(m_hWnd, true, LoadResStringW(IDS_REPORT_FILTER), L"txt", suggested);
    if (path.empty())
        return;   // the report stays shown
    const FileOutcome written = WriteFileAtomically(path, m_fileText);
    if (!written.ok) {
        AfxMessageBox(FormatResString(IDS_REPORT_SAVE_FAILED, {written.why}).c_str(), MB_ICONEXCLAMATION);
        return;
    }
    EndDialog(IDOK);
}
