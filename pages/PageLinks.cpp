#include "pages/PageLinks.h"

#include "app/MainFrm.h"
#include "app/OVX_CPLView.h"
#include "ui/WinApp.h"

COVX_CPLView* ActivePanelView()
{
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    return frame ? dynamic_cast<COVX_CPLView*>(frame->GetActiveView()) : nullptr;
}

void SetMainFramePaneText(int pane, const std::string& text)
{
    if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        frame->SetPaneText(pane, text);
}
