#pragma once

class TrackBar;

// A dialog's handle on one of its trackbars, bound by data exchange.
class CSliderCtrl
{
public:
    void Attach(TrackBar* trackBar) { m_pTrackBar = trackBar; }
    TrackBar* trackBar() const { return m_pTrackBar; }

    // Also sets the page step to a fifth of the range, as the platform's trackbar does. The
    // trackbar repaints on its own schedule; a dialog not yet shown paints nothing either way.
    void SetRange(int nMin, int nMax, bool bRedraw = false);
    void SetPos(int nPos);
    int GetPos() const;

private:
    TrackBar* m_pTrackBar = nullptr;
};
