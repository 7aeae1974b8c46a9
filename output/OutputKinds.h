#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The kinds of interface that frames can go out through.
enum class OutputKind
{
    SerialLine, // a plain serial interface: the program makes the break and the timing
    UsbPro,     // a DMX USB Pro widget, which makes them itself
    Sacn,       // streaming ACN (E1.31) over UDP
    ArtNet,     // Art-Net over UDP
};

enum class OutputTransport
{
    SerialPort,
    Network,
};

// The fields of the port settings dialog, as bits.
enum OutputField : unsigned
{
    kPortField = 1,
    kRateField = 2,
    kUniverseField = 4,
    kAddressField = 8,
    kInterfaceField = 16, // the interface the datagrams leave on
    kNodeField = 32,      // the receivers that answered, to send to one of them
};

// What everything that offers or checks a kind needs to know of it.
struct OutputKindRow
{
    OutputKind kind;
    std::string_view optionWord; // names the kind on the command line
    OutputTransport transport;
    // The network kinds' universes (the sACN universe, the Art-Net port-address).
    int firstUniverse;
    int lastUniverse;
    int defaultUniverse;
    unsigned fields; // the dialog fields that take input for this kind
};

// One row per kind, in the order of OutputKind.
inline constexpr std::array kOutputKinds = {
    OutputKindRow{OutputKind::SerialLine, "serial", OutputTransport::SerialPort, 0, 0, 0,
                  kPortField | kRateField},
    OutputKindRow{OutputKind::UsbPro, "pro", OutputTransport::SerialPort, 0, 0, 0,
                  kPortField | kRateField},
    OutputKindRow{OutputKind::Sacn, "sacn", OutputTransport::Network, 1, 63999, 1,
                  kUniverseField | kAddressField | kInterfaceField},
    OutputKindRow{OutputKind::ArtNet, "artnet", OutputTransport::Network, 0, 32767, 0,
                  kUniverseField | kAddressField | kInterfaceField | kNodeField},
};
inline constexpr size_t kOutputKindCount = kOutputKinds.size();

constexpr const OutputKindRow& outputKindRow(OutputKind kind)
{
    return kOutputKinds[static_cast<size_t>(kind)];
}

static_assert(
    [] {
        for (size_t i = 0; i < kOutputKindCount; ++i)
            if (static_cast<size_t>(kOutputKinds[i].kind) != i)
                return false;
        return true;
    }(),
    "the rows of kOutputKinds are in the order of OutputKind");
