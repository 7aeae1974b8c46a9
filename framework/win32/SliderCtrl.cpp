#include "WindowsApi.h"

#include "framework/SliderCtrl.h"

#include <algorithm>

void CSliderCtrl::SetRange(int nMin, int nMax, bool bRedraw)
{
    SendMessageW(m_hWnd, TBM_SETRANGEMIN, FALSE, nMin);
    SendMessageW(m_hWnd, TBM_SETRANGEMAX, bRedraw, nMax);
    // The trackbar's own page step after a new range, set here so that it holds on every
    // version of the common controls.
    const long long fifth = (static_cast<long long>(nMax) - nMin) / 5;
    SendMessageW(m_hWnd, TBM_SETPAGESIZE, 0, static_cast<LPARAM>(std::max(1LL, fifth)));
}

void CSliderCtrl::SetPos(int nPos)
{
    SendMessageW(m_hWnd, TBM_SETPOS, TRUE, nPos);
}

int CSliderCtrl::GetPos() const
{
    return static_cast<int>(SendMessageW(m_hWnd, TBM_GETPOS, 0, 0));
}
