#include "WindowsApi.h"

#include "framework/Backend.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/SliderCtrl.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CSliderCtrl& rControl)
{
    // Bound on every exchange: a dialog that runs again has new controls.
    rControl.m_hWnd = pDX->m_pDlgWnd->GetDlgItem(nIDC);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    // An exchange that has failed goes no further, so the operator hears of one control at a time.
    const HWND list = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    if (pDX->m_bFailed || !list)
        return;
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)); // CB_ERR is -1
    else
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void selectFieldForCorrection(CDialog& dialog, int nID)
{
    if (const HWND field = dialog.GetDlgItem(nID)) {
        // The dialog's own way to move the focus, which also moves the default button.
        SendMessageW(dialog.GetSafeHwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
        SendMessageW(field, EM_SETSEL, 0, -1);
    }
}
