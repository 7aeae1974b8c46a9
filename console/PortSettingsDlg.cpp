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

// The kind of the list's entry index: the entries are in the order of the kinds.
const OutputKindRow& kindAt(int index)
{
    return index >= 0 && index < static_cast<int>(kOutputKindCount)
               ? kOutputKinds[static_cast<size_t>(index)]
               : kOutputKinds[0];
}

// The dialog's fields that a kind may take.
constexpr std::pair<int, OutputField> kFields[] = {{IDC_PORT_LIST, kPortField},
                                                   {IDC_BAUD, kRateField},
                                                   {IDC_UNIVERSE, kUniverseField},
                                                   {IDC_ADDRESS, kAddressField}};
} // namespace

PortDeviceFunction setPortDeviceFunction(PortDeviceFunction function)
{
    return std::exchange(g_portDevice, function);
}

CPortSettingsDlg::CPortSettingsDlg(CDialog* pParent) : CDialog(IDD_PORT_SETTINGS, pParent)
{
    // Each kind brings its own universe: the one counted from 1, the other from 0.
    mapCommand(IDC_OUTPUT_KIND, CBN_SELCHANGE, [this] {
        const OutputKindRow& kind = ChosenKind();
        if (kind.fields & kUniverseField)
            SetDlgItemInt(IDC_UNIVERSE, kind.defaultUniverse);
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

const OutputKindRow& CPortSettingsDlg::ChosenKind()
{
    CDataExchange dx(this, true);
    DDX_CBIndex(&dx, IDC_OUTPUT_KIND, m_nOutputKind);
    return kindAt(m_nOutputKind);
}

void CPortSettingsDlg::EnableFieldsOfKind(const OutputKindRow& kind)
{
    for (const auto& [id, field] : kFields)
        EnableDlgItem(id, kind.fields & field);
}

void CPortSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_OUTPUT_KIND, m_nOutputKind);
    // Going back, only the fields of the chosen kind are read and checked: what was left in a
    // greyed-out field stays there.
    const unsigned fields = pDX->m_bSaveAndValidate ? kindAt(m_nOutputKind).fields : ~0u;
    if (fields & kPortField)
        DDX_CBIndex(pDX, IDC_PORT_LIST, m_nPortIndex);
    if (fields & kRateField)
        DDX_Text(pDX, IDC_BAUD, m_nBaudRate);
    if (fields & kUniverseField)
        DDX_Text(pDX, IDC_UNIVERSE, m_nUniverse);
    if (fields & kAddressField)
        DDX_Text(pDX, IDC_ADDRESS, m_strAddress);
}

OutputSettings CPortSettingsDlg::Settings() const
{
    OutputSettings settings;
    settings.kind = kindAt(m_nOutputKind).kind;
    settings.port = m_nPortIndex + 1;
    // A negative rate reaches the device as a very large one, which it refuses; a rate of 0
    // fails without reaching the device.
    settings.baudRate = static_cast<unsigned>(m_nBaudRate);
    settings.universe = m_nUniverse;
    settings.address = m_strAddress;
    return settings;
}
