// A dialog from a template, modal or modeless, whose messages reach virtual handlers.
// The base puts each handler's result where Win32 expects it: the dialog procedure's
// return value, or DWLP_MSGRESULT for messages whose result is not a BOOL.
#pragma once
#include <windows.h>
#include <utility>
#include <vector>
#include "ui/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    // Without a parent a modal dialog is owned by the application's main window.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    INT_PTR DoModal();
    // Modeless: the window lives until DestroyWindow or the object's destruction.
    BOOL Create(UINT templateId, CWnd* parent);
    void EndDialog(int result);

    // false reads the members into the controls, true reads the controls.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    UINT TemplateId() const { return m_nIDTemplate; }
    // The control with this id. A template's controls live as long as the dialog, so
    // they are looked up once (a lookup walks the children, which is not cheap).
    HWND Control(int id);
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* dx);
    // Handlers report whether they took the message.
    virtual bool OnCommand(UINT id, UINT code, HWND control);
    virtual bool OnNotify(NMHDR* header, LRESULT& result);
    // Any other message; a handled one returns its result through `result`.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    virtual void OnDestroy() {}

    // Creates the window from a template in memory, for classes that adjust it first.
    BOOL CreateIndirect(const DLGTEMPLATE* dialogTemplate, HWND parent);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    bool m_bModal = false;
    std::vector<std::pair<int, HWND>> m_controls;   // the controls looked up so far
};

// Every message box of the program is captioned with the application's title.
int AfxMessageBox(const char* text, UINT type = MB_OK);
int AfxMessageBox(UINT stringId, UINT type = MB_OK);
