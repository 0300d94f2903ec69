// A settings page: a modeless child dialog of the view, created once from its
// template, shown or hidden by the view and never ended by Enter or Escape.
#pragma once
#include <windows.h>
#include "ui/Dialog.h"

class CDialogPage : public CDialog {
public:
    explicit CDialogPage(UINT templateId) : CDialog(templateId), m_nTemplateId(templateId) {}

    BOOL Create(CWnd* parent) { return CDialog::Create(m_nTemplateId, parent); }

protected:
    void OnOK() override {}
    void OnCancel() override {}

    const UINT m_nTemplateId;
};
