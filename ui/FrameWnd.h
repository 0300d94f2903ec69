// The top-level frame: menu, accelerators, icon and template string come from one
// resource id; it holds one view and optionally a status bar, and routes commands to
// the view first, then to itself, then to the application.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include "ui/DocTemplate.h"
#include "ui/Handles.h"
#include "ui/Wnd.h"

class CFormView;
class CStatusBar;

// Title composition of the frame: add the document's title, and put it first.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;
constexpr DWORD FWS_PREFIXTITLE = 0x00004000;

class CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    BOOL LoadFrame(UINT resourceId, DWORD style, const CSingleDocTemplate::ViewFactory& makeView);
    void InitialUpdateFrame();

    CFormView* GetActiveView() const { return m_pView.get(); }
    virtual void RecalcLayout();

    // The message pane: pane 0 of the status bar.
    void SetMessageText(const std::string& text);
    void SetMessageText(UINT stringId);
    // Puts "Ready" back once a menu has closed; the application calls it when idle.
    void OnIdleUpdate();

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    virtual int OnCreate(CREATESTRUCTA* cs);
    virtual bool OnCommand(UINT id, UINT code, HWND control);
    virtual void OnSysCommand(UINT id, LPARAM lParam);
    virtual void OnDestroy();
    virtual void OnUpdateFrameTitle();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CStatusBar* MessageBar() const;
    UINT m_nIDResource = 0;
    DWORD m_dwFrameStyle = 0;   // the FWS_ flags PreCreateWindow left in place

private:
    void OnMenuSelect(UINT id, UINT flags, HMENU menu);
    bool RouteEditCommand(UINT id);
    void RouteCommandMessage(UINT id, UINT code, HWND control);
    void RestoreFocus();

    std::unique_ptr<CFormView> m_pView;
    const CSingleDocTemplate::ViewFactory* m_pMakeView = nullptr;   // during LoadFrame only
    CAcceleratorHandle m_hAccelTable;
    std::string m_strTitle;
    UINT m_nIDTracking;       // the prompt the message pane should show
    UINT m_nIDLastMessage = 0;   // the prompt it shows
    HWND m_hWndFocus = nullptr;   // the control that had the focus when the frame was left
};
