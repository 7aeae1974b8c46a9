#pragma once

#include "Handles.h"

// A dialog's handle on one of its trackbars, bound by data exchange.
class CSliderCtrl
{
public:
    // Also sets the page step to a fifth of the range, as the platform's trackbar does.
    // bRedraw repaints the trackbar now; otherwise it repaints on its own schedule.
    void SetRange(int nMin, int nMax, bool bRedraw = false);
    // Moves the thumb and repaints the trackbar.
    void SetPos(int nPos);
    int GetPos() const;

    HWND m_hWnd = nullptr;
};
