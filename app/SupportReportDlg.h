// The support report shown before it is saved: its text as it will be written, the
// choice of the computer's and the user's names (left out unless ticked; ticking
// writes the text again), and Save, which asks for the file and writes exactly what is
// shown. A save that fails says why and leaves the dialog open.
#pragma once
#include "report/SupportFacts.h"
#include "ui/Dialog.h"
#include "ui/Handles.h"

class CSupportReportDlg : public CDialog {
public:
    CSupportReportDlg(SupportFacts facts, CWnd* parent);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void OnOK() override;

private:
    // The text of the facts as they stand, into the edit box.
    void ShowReport();
    void UseFixedPitchFont();

    SupportFacts m_facts;
    std::string m_fileText;    // what Save writes (UTF-8, Windows line ends), and what is shown
    int m_nWithNames = 0;
    CFontHandle m_font;        // the edit box's; outlives the window, which only borrows it
};
