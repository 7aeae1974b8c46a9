#pragma once

#include "SerialLineOutput.h"

#include <string>

// The kinds of interface that frames can go out through.
enum class OutputKind
{
    SerialLine, // a plain serial interface: the program makes the break and the timing
    UsbPro,     // a DMX USB Pro widget, which makes them itself
    Sacn,       // streaming ACN (E1.31) over UDP
    ArtNet,     // Art-Net over UDP
};

inline bool isNetworkKind(OutputKind kind)
{
    return kind == OutputKind::Sacn || kind == OutputKind::ArtNet;
}

// The universe a network kind starts from: sACN counts from 1, Art-Net from 0.
inline int defaultUniverse(OutputKind kind)
{
    return kind == OutputKind::ArtNet ? 0 : 1;
}

// Which interface to open, and how.
struct OutputSettings
{
    OutputKind kind = OutputKind::SerialLine;
    // The serial kinds: the port number (1 = COM1) and the rate it is opened at.
    int port = 1;
    unsigned baudRate = kFrameBaudRate;
    // The network kinds: the sACN universe or the Art-Net port-address, and where the packets go,
    // empty for the kind's own default (the universe's multicast group, the broadcast).
    int universe = 1;
    std::string address;
};
