#include "SliderCtrl.h"

#include "TrackBar.h"

#include <algorithm>

void CSliderCtrl::SetRange(int nMin, int nMax, bool bRedraw)
{
    m_pTrackBar->setRange(nMin, nMax);
    const long long fifth = (static_cast<long long>(nMax) - nMin) / 5;
    m_pTrackBar->setPageStep(static_cast<int>(std::max(1LL, fifth)));
    if (bRedraw)
        m_pTrackBar->update();
}

void CSliderCtrl::SetPos(int nPos)
{
    m_pTrackBar->setValue(nPos);
}

int CSliderCtrl::GetPos() const
{
    return m_pTrackBar->value();
}
