// A view that is a dialog template: a child of the frame, filled with controls, with
// the keyboard handling of a dialog and an initial update that the document template
// runs after every New or Open.
#pragma once
#include <windows.h>
#include "ui/Dialog.h"

class CFrameWnd;

class CFormView : public CDialog {
public:
    explicit CFormView(UINT templateId);

    BOOL Create(CFrameWnd* frame, UINT childId);
    virtual void OnInitialUpdate();
    // Commands from the frame's menu and accelerators; true when the view took it.
    bool RouteCommand(UINT id, UINT code) { return OnCommand(id, code, nullptr); }
    // Sizes the frame so that its client area holds the form and the status bar.
    void ResizeParentToFit(BOOL shrinkOnly = TRUE);
    CFrameWnd* GetParentFrame() const;

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // Style changes to the template before the window is made from it.
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    BOOL OnInitDialog() override { return FALSE; }
    // A view is never ended by Enter or Escape.
    void OnOK() override {}
    void OnCancel() override {}

private:
    SIZE m_sizeTemplate{};   // in dialog units
};
