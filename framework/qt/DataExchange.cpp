#include "framework/DataExchange.h"

#include "DialogWindow.h"
#include "TrackBar.h"

#include "framework/Backend.h"
#include "framework/SliderCtrl.h"

#include <QComboBox>
#include <QLineEdit>

namespace {
QWidget* controlOf(CDataExchange* pDX, int nIDC)
{
    return reinterpret_cast<QWidget*>(pDX->m_pDlgWnd->GetDlgItem(nIDC));
}
} // namespace

void DDX_Control(CDataExchange* pDX, int nIDC, CSliderCtrl& rControl)
{
    // Bound anew on every run: each DoModal makes a new window.
    rControl.m_hWnd = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    Q_ASSERT(qobject_cast<TrackBar*>(controlOf(pDX, nIDC)));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    auto* list = qobject_cast<QComboBox*>(controlOf(pDX, nIDC));
    Q_ASSERT(list);
    // An exchange that has failed goes no further, so the operator hears of one control at a time.
    if (pDX->m_bFailed || !list)
        return;
    if (pDX->m_bSaveAndValidate)
        index = list->currentIndex();
    else
        list->setCurrentIndex(index);
}

void selectFieldForCorrection(CDialog& dialog, int nID)
{
    if (auto* edit = qobject_cast<QLineEdit*>(reinterpret_cast<QWidget*>(dialog.GetDlgItem(nID)))) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}
