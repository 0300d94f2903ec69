// A track bar. Thin: one method per message, no state.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "ui/Wnd.h"

class CTrackBarCtrl : public CWnd {
public:
    void SetRangeMin(int minimum, BOOL redraw = TRUE) const { SendMessage(TBM_SETRANGEMIN, redraw, minimum); }
    void SetRangeMax(int maximum, BOOL redraw = TRUE) const { SendMessage(TBM_SETRANGEMAX, redraw, maximum); }
    void SetTicFreq(int frequency) const { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(frequency)); }
    void SetPageSize(int size) const { SendMessage(TBM_SETPAGESIZE, 0, size); }
    void SetLineSize(int size) const { SendMessage(TBM_SETLINESIZE, 0, size); }
    void SetPos(int position, BOOL redraw = TRUE) const { SendMessage(TBM_SETPOS, redraw, position); }
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
};
