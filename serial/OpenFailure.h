#pragma once

#include <string>

// Why a serial port could not be opened, in terms the operator can act on.
struct OpenFailure
{
    enum class Cause
    {
        None,
        NoSuchPort,       // the machine has no port of that number
        PermissionDenied, // the system refused this user the device
        InUse,            // another program holds the device
        SettingsRefused,  // the device cannot take the line settings, its rate among them
        InvalidRate,      // a rate of 0 baud
        SystemError,      // any other refusal
    };

    Cause cause = Cause::None;
    std::string device; // the device tried; empty when there was none to try
    std::string reason; // the system's own words; empty when it gave none
};
