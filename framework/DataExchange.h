#pragma once

#include <string>

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

// Binds rControl to the trackbar nIDC of the dialog.
void DDX_Control(CDataExchange* pDX, int nIDC, CSliderCtrl& rControl);

// The selected entry of the drop-down list nIDC: selects entry index, or reads back the index of
// the selection, -1 when nothing is selected.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);

// The text of the field nIDC as a signed decimal integer. Reading back text that is no integer
// asks the operator for one, selects the field's text and fails the exchange; value then keeps
// what it held.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// The text of the field nIDC, as it stands.
void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value);
