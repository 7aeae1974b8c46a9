#pragma once

#include "framework/Dialog.h"
#include "net/NetworkInterface.h"
#include "output/OutputSettings.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// Chooses the output: the kind of interface; for the serial kinds the port, COM1 to COM8, and
// the rate at which it is opened; for the network kinds the universe, where the packets go and
// the network interface they leave on. For Art-Net, choosing one of the nodes heard from fills in
// its address and port-address. It starts at a plain serial interface on COM1 at 250000 baud
// whatever is in use; each port entry's tip names the device behind that port. Only the fields of
// the chosen kind take input.
class CPortSettingsDlg : public CDialog
{
public:
    explicit CPortSettingsDlg(CDialog* pParent = nullptr);

    // The output chosen.
    OutputSettings Settings() const;

    int m_nPortIndex = 0; // list index: entry i is port number i + 1
    int m_nBaudRate = 250000;
    int m_nOutputKind = 0; // list index: the order of OutputKind
    int m_nUniverse = 1;
    std::string m_strAddress;  // empty: the kind's own default destination
    int m_nInterfaceIndex = 0; // list index: 0 for the automatic choice, then those offered
    // What the console knows as it opens the dialog: the machine's interfaces, of which those up
    // are offered, and the receivers the output in use has heard from.
    std::vector<NetworkInterface> m_interfaces;
    std::vector<HeardReceiver> m_receivers;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The kind chosen in the list, read from it alone.
    const OutputKindRow& ChosenKind();
    void EnableFieldsOfKind(const OutputKindRow& kind);
    void FillInterfaceList();
    void FillNodeList();
    // A node chosen from the list: its address and port-address go into their fields.
    void OnNodeChosen();

    std::vector<NetworkInterface> m_offered;                  // entry i + 1 of the interface list
    std::vector<std::pair<uint32_t, uint16_t>> m_nodeEntries; // entry i + 1: address, universe
};

// What names the device behind a port number (1 = COM1) for the list's tips; none when the
// machine has no such port.
using PortDeviceFunction = std::optional<std::string> (*)(int portNumber);

// Replaces it (for tests); nullptr restores the machine's own naming. Returns the previous
// function, nullptr for the machine's own.
PortDeviceFunction setPortDeviceFunction(PortDeviceFunction function);
