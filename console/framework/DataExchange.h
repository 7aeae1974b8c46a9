#pragma once

class CDialog;
class CSliderCtrl;

// The state of one data exchange between a dialog's members and its controls.
class CDataExchange
{
public:
    CDataExchange(CDialog* pDlgWnd, bool bSaveAndValidate)
        : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate)
    {}

    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;
    bool m_bFailed = false;
};

// Binds rControl to the trackbar nIDC of the dialog, once.
void DDX_Control(CDataExchange* pDX, int nIDC, CSliderCtrl& rControl);
