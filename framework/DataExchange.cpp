#include "DataExchange.h"

#include "Backend.h"
#include "Dialog.h"
#include "DlgItemInt.h"
#include "MessageBox.h"
#include "Resources.h"

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
    selectFieldForCorrection(*dialog, nIDC);
    pDX->m_bFailed = true;
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value)
{
    if (pDX->m_bFailed)
        return;
    if (pDX->m_bSaveAndValidate)
        value = pDX->m_pDlgWnd->GetDlgItemText(nIDC);
    else
        pDX->m_pDlgWnd->SetDlgItemText(nIDC, value);
}
