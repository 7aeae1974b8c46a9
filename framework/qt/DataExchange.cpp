#include "framework/DataExchange.h"

#include "DialogWindow.h"
#include "TrackBar.h"

#include "framework/DlgItemInt.h"
#include "framework/MessageBox.h"
#include "framework/Resources.h"
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

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->m_bFailed)
        return;
    CDialog* dialog = pDX->m_pDlgWnd;
    if (!pDX->m_bSaveAndValidate) {
        dialog->SetDlgItemInt(nIDC, value);
        return;
    }
    if (const std::optional<int> entered = parseDlgItemInt(dialog->GetDlgItemText(nIDC))) {
        value = *entered;
        return;
    }
    AfxMessageBox(loadString(AFX_IDP_PARSE_INT), MB_OK);
    if (auto* edit = qobject_cast<QLineEdit*>(controlOf(pDX, nIDC))) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
    pDX->m_bFailed = true;
}
