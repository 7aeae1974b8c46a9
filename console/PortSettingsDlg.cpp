#include "PortSettingsDlg.h"

#include "framework/DataExchange.h"
#include "framework/FormatString.h"
#include "framework/Resources.h"
#include "net/Ipv4Address.h"
#include "res/resource.h"
#include "serial/PortNames.h"

#include <algorithm>
#include <iterator>

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
constexpr std::pair<int, OutputField> kFields[] = {
    {IDC_PORT_LIST, kPortField},  {IDC_BAUD, kRateField},           {IDC_UNIVERSE, kUniverseField},
    {IDC_ADDRESS, kAddressField}, {IDC_INTERFACE, kInterfaceField}, {IDC_NODE_LIST, kNodeField}};
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
    mapCommand(IDC_NODE_LIST, CBN_SELCHANGE, [this] { OnNodeChosen(); });
}

bool CPortSettingsDlg::OnInitDialog()
{
    // The entries keep their COM names; the tip tells the operator which interface that is on
    // this machine, looked up as the dialog opens because adapters come and go.
    for (int index = 0; index < kPortCount; ++index) {
        const std::optional<std::string> device = portDevice(index + 1);
        SetListItemTip(IDC_PORT_LIST, index, device ? *device : loadString(IDS_NO_SUCH_PORT));
    }
    FillInterfaceList();
    FillNodeList();
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
        EnableDlgItem(id, (kind.fields & field) && (id != IDC_NODE_LIST || !m_nodeEntries.empty()));
}

void CPortSettingsDlg::FillInterfaceList()
{
    AddListItem(IDC_INTERFACE, loadString(IDS_INTERFACE_AUTOMATIC));
    m_offered.clear();
    std::ranges::copy_if(m_interfaces, std::back_inserter(m_offered), &NetworkInterface::up);
    for (const NetworkInterface& entry : m_offered)
        AddListItem(IDC_INTERFACE, entry.name + "  " + addressText(entry.address));
}

void CPortSettingsDlg::FillNodeList()
{
    m_nodeEntries.clear();
    for (const HeardReceiver& receiver : m_receivers) {
        for (const uint16_t universe : receiver.universes)
            m_nodeEntries.emplace_back(receiver.address, universe);
    }
    AddListItem(IDC_NODE_LIST,
                loadString(m_nodeEntries.empty() ? IDS_NODES_NONE : IDS_NODES_CHOOSE));
    for (const HeardReceiver& receiver : m_receivers) {
        for (const uint16_t universe : receiver.universes)
            AddListItem(
                IDC_NODE_LIST,
                AfxFormatString(IDS_NODE_ENTRY, {receiver.name, addressText(receiver.address),
                                                 std::to_string(universe)}));
    }
    CDataExchange dx(this, false);
    int first = 0;
    DDX_CBIndex(&dx, IDC_NODE_LIST, first);
}

void CPortSettingsDlg::OnNodeChosen()
{
    int index = 0;
    CDataExchange dx(this, true);
    DDX_CBIndex(&dx, IDC_NODE_LIST, index);
    if (index < 1 || index > static_cast<int>(m_nodeEntries.size()))
        return;
    const auto& [address, universe] = m_nodeEntries[static_cast<size_t>(index - 1)];
    SetDlgItemText(IDC_ADDRESS, addressText(address));
    SetDlgItemInt(IDC_UNIVERSE, universe);
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
    if (fields & kInterfaceField)
        DDX_CBIndex(pDX, IDC_INTERFACE, m_nInterfaceIndex);
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
    // An interface goes by its name, or by its address where the name has several.
    if (m_nInterfaceIndex > 0 && m_nInterfaceIndex <= static_cast<int>(m_offered.size())) {
        const NetworkInterface& chosen = m_offered[static_cast<size_t>(m_nInterfaceIndex - 1)];
        const bool nameAlone =
            std::ranges::count(m_offered, chosen.name, &NetworkInterface::name) == 1;
        settings.networkInterface = nameAlone ? chosen.name : addressText(chosen.address);
    }
    return settings;
}
