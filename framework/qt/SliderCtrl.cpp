#include "framework/SliderCtrl.h"

#include "TrackBar.h"

#include <algorithm>

namespace {
TrackBar* trackBarOf(HWND hWnd)
{
    return reinterpret_cast<TrackBar*>(hWnd);
}
} // namespace

void CSliderCtrl::SetRange(int nMin, int nMax, bool bRedraw)
{
    TrackBar* trackBar = trackBarOf(m_hWnd);
    trackBar->setRange(nMin, nMax);
    const long long fifth = (static_cast<long long>(nMax) - nMin) / 5;
    trackBar->setPageStep(static_cast<int>(std::max(1LL, fifth)));
    if (bRedraw)
        trackBar->update();
}

void CSliderCtrl::SetPos(int nPos)
{
    trackBarOf(m_hWnd)->setValue(nPos);
}

int CSliderCtrl::GetPos() const
{
    return trackBarOf(m_hWnd)->value();
}
