// The platform-neutral part of CDialog: the message map, data exchange and the default buttons.
#include "Dialog.h"

#include "DataExchange.h"
#include "DialogTemplate.h"

void CDialog::mapCommand(int nID, int nCode, std::function<void()> handler)
{
    m_commands.insert_or_assign({nID, nCode}, std::move(handler));
}

void CDialog::mapNotify(int nID, int nCode, std::function<void(const NMHDR&, long*)> handler)
{
    m_notify.insert_or_assign({nID, nCode}, std::move(handler));
}

void CDialog::OnCommand(int nID, int nCode)
{
    // Handlers are copied out: one may run a loop that dispatches further events.
    if (const auto it = m_commands.find({nID, nCode}); it != m_commands.end())
        std::function<void()>(it->second)();
    else if (nID == IDOK && nCode == BN_CLICKED)
        OnOK();
    else if (nID == IDCANCEL && nCode == BN_CLICKED)
        OnCancel();
}

long CDialog::OnNotify(int nID, int nCode)
{
    long result = CDRF_DODEFAULT;
    if (const auto it = m_notify.find({nID, nCode}); it != m_notify.end()) {
        const NMHDR header{nID, nCode};
        std::function<void(const NMHDR&, long*)>(it->second)(header, &result);
    }
    return result;
}

bool CDialog::UpdateData(bool bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK()
{
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnTimer(unsigned) {}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}
