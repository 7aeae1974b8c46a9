#pragma once

#include "framework/Dialog.h"
#include "output/OutputSettings.h"

#include <optional>
#include <string>

// Chooses the output: the kind of interface; for the serial kinds the port, COM1 to COM8, and
// the rate at which it is opened; for the network kinds the universe and where the packets go.
// It starts at a plain serial interface on COM1 at 250000 baud whatever is in use; each port
// entry's tip names the device behind that port. Only the fields of the chosen kind take input.
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
    std::string m_strAddress; // empty: the kind's own default destination

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    // The kind chosen in the list, read from it alone.
    const OutputKindRow& ChosenKind();
    void EnableFieldsOfKind(const OutputKindRow& kind);
};

// What names the device behind a port number (1 = COM1) for the list's tips; none when the
// machine has no such port.
using PortDeviceFunction = std::optional<std::string> (*)(int portNumber);

// Replaces it (for tests); nullptr restores the machine's own naming. Returns the previous
// function, nullptr for the machine's own.
PortDeviceFunction setPortDeviceFunction(PortDeviceFunction function);
