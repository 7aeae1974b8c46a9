#pragma once

#include "FrameOutput.h"
#include "OutputKinds.h"

#include <string>

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
    // The network kinds: the interface the datagrams leave on, by its name or one of its
    // addresses; empty to choose it by the destination (see chooseInterface).
    std::string networkInterface = {};
};
