#include "PortSettingsDlg.h"

#include "framework/DataExchange.h"
#include "framework/Resources.h"
#include "res/resource.h"
#include "serial/PortNames.h"

#include <iterator>
#include <utility>

namespace {
constexpr int kPortCount = 8; // COM1 to COM8, as the list's initial data has them

PortDeviceFunction g_portDevice = nullptr;

std::optional<std::string> portDevice(int portNumber)
{
    return g_portDevice ? g_portDevice(portNumber) : serialPortDevice(portNumber);
}

// The kinds in the order of the list's entries.
constexpr OutputKind kKinds[] = {OutputKind::SerialLine, OutputKind::UsbPro, OutputKind::Sacn,
                                 OutputKind::ArtNet};

OutputKind kindAt(int index)
{
    return index >= 0 && index < static_cast<int>(std::size(kKinds)) ? kKinds[index]
                                                                     : OutputKind::SerialLine;
}
} // namespace

PortDeviceFunction setPortDeviceFunction(PortDeviceFunction function)
{
    return std::exchange(g_portDevice, function);
}

CPortSettingsDlg::CPortSettingsDlg(CDialog* pParent) : CDialog(IDD_PORT_SETTINGS, pParent)
{
    // Each kind brings its own universe: the one counted from 1, the other from 0.
    mapCommand(IDC_OUTPUT_KIND, CBN_SELCHANGE, [this] {
        const OutputKind kind = ChosenKind();
        if (isNetworkKind(kind))
            SetDlgItemInt(IDC_UNIVERSE, defaultUniverse(kind));
        EnableFieldsOfKind(kind);
    });
}

bool CPortSettingsDlg::OnInitDialog()
{
    // The entries keep their COM names; the tip tells the operator which interface that is on
    // this machine, looked up as the dialog opens because adapters come and go.
    for (int index = 0; index < kPortCount; ++index) {
        const std::optional<std::string> device = portDevice(index + 1);
        SetListItemTip(IDC_PORT_LIST, index, device ? *device : loadString(IDS_NO_SUCH_PORT));
    }
    const bool focusFirst = CDialog::OnInitDialog();
    EnableFieldsOfKind(kindAt(m_nOutputKind));
    return focusFirst;
}

OutputKind CPortSettingsDlg::ChosenKind()
{
    CDataExchange dx(this, true);
    DDX_CBIndex(&dx, IDC_OUTPUT_KIND, m_nOutputKind);
    return kindAt(m_nOutputKind);
}

void CPortSettingsDlg::EnableFieldsOfKind(OutputKind kind)
{
    const bool network = isNetworkKind(kind);
    for (const int id : {IDC_PORT_LIST, IDC_BAUD})
        EnableDlgItem(id, !network);
    for (const int id : {IDC_UNIVERSE, IDC_ADDRESS})
        EnableDlgItem(id, network);
}

void CPortSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_PORT_LIST, m_nPortIndex);
    DDX_Text(pDX, IDC_BAUD, m_nBaudRate);
    DDX_CBIndex(pDX, IDC_OUTPUT_KIND, m_nOutputKind);
    DDX_Text(pDX, IDC_UNIVERSE, m_nUniverse);
    DDX_Text(pDX, IDC_ADDRESS, m_strAddress);
}

OutputSettings CPortSettingsDlg::Settings() const
{
    OutputSettings settings;
    settings.kind = kindAt(m_nOutputKind);
    settings.port = m_nPortIndex + 1;
    // A negative rate reaches the device as a very large one, which it refuses; a rate of 0
    // fails without reaching the device.
    settings.baudRate = static_cast<unsigned>(m_nBaudRate);
    settings.universe = m_nUniverse;
    settings.address = m_strAddress;
    return settings;
}
