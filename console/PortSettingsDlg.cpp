#include "PortSettingsDlg.h"

#include "ConsoleDlg.h"
#include "ThePort.h"
#include "framework/DataExchange.h"
#include "framework/DlgInit.h"
#include "framework/MessageBox.h"
#include "res/Resources.h"
#include "res/resource.h"
#include "serial/PortNames.h"

#include <QComboBox>

#include <utility>

namespace {
PortDeviceFunction g_portDevice = nullptr;

std::optional<std::string> portDevice(int portNumber)
{
    return g_portDevice ? g_portDevice(portNumber) : serialPortDevice(portNumber);
}
} // namespace

PortDeviceFunction setPortDeviceFunction(PortDeviceFunction function)
{
    return std::exchange(g_portDevice, function);
}

CPortSettingsDlg::CPortSettingsDlg(QWidget* pParent)
    : CDialog(dialogTemplate(IDD_PORT_SETTINGS), pParent)
{
    ExecuteDlgInit(*this, dialogInitData(IDD_PORT_SETTINGS));

    // The entries keep their COM names; the tooltip tells the operator which interface that is
    // on this machine, looked up as the dialog opens because adapters come and go.
    auto* list = qobject_cast<QComboBox*>(GetDlgItem(IDC_PORT_LIST));
    for (int index = 0; index < list->count(); ++index) {
        const std::optional<std::string> device = portDevice(index + 1);
        list->setItemData(index,
                          device ? QString::fromStdString(*device)
                                 : QStringLiteral("此计算机上没有此串口"),
                          Qt::ToolTipRole);
    }
    // Closed, the list tells the same of the chosen entry.
    const auto showChosen = [list] {
        list->setToolTip(list->currentData(Qt::ToolTipRole).toString());
    };
    showChosen();
    connect(list, &QComboBox::currentIndexChanged, list, showChosen);
}

void CPortSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_PORT_LIST, m_nPortIndex);
    DDX_Text(pDX, IDC_BAUD, m_nBaudRate);
}

void CConsoleDlg::OnPortSettings()
{
    // Owned by the console, which takes no input while the dialog is open. A continuous loop
    // that dispatched this click waits here and goes on with whatever port is open afterwards.
    CPortSettingsDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;

    if (thePort.IsOpen())
        thePort.Close();
    // A negative rate reaches the device as a very large one, which it refuses; a rate of 0
    // fails without reaching the device.
    if (!thePort.Open(dlg.m_nPortIndex + 1, static_cast<unsigned>(dlg.m_nBaudRate)))
        AfxMessageBox(QStringLiteral("打开串口失败！"), MB_OK);
}
