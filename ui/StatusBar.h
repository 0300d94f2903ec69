// The frame's status bar: panes with an id, a style and a width in pixels at 96 DPI;
// a stretching pane takes what the others leave, but never less than its own width.
#pragma once
#include <windows.h>
#include <optional>
#include <string>
#include <vector>
#include "ui/Wnd.h"

constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_STRETCH = 0x0800;
constexpr DWORD CBRS_BOTTOM = 0x8000;   // the control bar style: along the frame's bottom edge

class CStatusBar : public CWnd {
public:
    CStatusBar() = default;
    ~CStatusBar() override;

    BOOL Create(CWnd* parent, DWORD style, UINT id);
    BOOL SetIndicators(const UINT* ids, int count);
    void SetPaneInfo(int index, UINT id, UINT style, int width);
    void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
    // An immediate redraw unless update is false. A pane that already shows the text
    // is left alone.
    BOOL SetPaneText(int index, const std::string& text, BOOL update = TRUE);
    std::string GetPaneText(int index) const;
    int PaneCount() const { return static_cast<int>(m_panes.size()); }

    void RecalcPanes();
    int Height() const;

private:
    // -1: every pane.
    void ForgetPaneTexts(int index);
    static void Observe(void* context, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    struct Pane {
        UINT id = 0;
        UINT style = SBPS_NORMAL;
        int width = 0;
        // What this object last put into the pane; unknown until it has.
        std::optional<std::string> text;
    };
    std::vector<Pane> m_panes;
};
