#include "DataExchange.h"

#include "Dialog.h"
#include "DlgItemInt.h"
#include "MessageBox.h"
#include "SliderCtrl.h"
#include "TrackBar.h"

#include <QComboBox>
#include <QLineEdit>

void DDX_Control(CDataExchange* pDX, int nIDC, CSliderCtrl& rControl)
{
    if (!rControl.trackBar())
        rControl.Attach(qobject_cast<TrackBar*>(pDX->m_pDlgWnd->GetDlgItem(nIDC)));
    Q_ASSERT(rControl.trackBar());
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    auto* list = qobject_cast<QComboBox*>(pDX->m_pDlgWnd->GetDlgItem(nIDC));
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
    const std::optional<int> entered = parseDlgItemInt(dialog->GetDlgItemText(nIDC));
    if (entered) {
        value = *entered;
        return;
    }
    AfxMessageBox(QStringLiteral("请输入一个整数。"), MB_OK);
    if (auto* edit = qobject_cast<QLineEdit*>(dialog->GetDlgItem(nIDC))) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
    pDX->m_bFailed = true;
}
