#include "DataExchange.h"

#include "Dialog.h"
#include "SliderCtrl.h"
#include "TrackBar.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CSliderCtrl& rControl)
{
    if (!rControl.trackBar())
        rControl.Attach(qobject_cast<TrackBar*>(pDX->m_pDlgWnd->GetDlgItem(nIDC)));
    Q_ASSERT(rControl.trackBar());
}
