#pragma once

#include "dmx/FrameSender.h"

#include <map>
#include <string>
#include <vector>

// The strips as fields: channel k holds k and value k holds 1, as on a freshly shown console.
class FakeOwner : public FieldReader
{
public:
    FakeOwner()
    {
        for (int strip = 0; strip < kStripCount; ++strip) {
            fields[IDC_CHANNEL1 + strip] = strip + 1;
            fields[IDC_VALUE1 + strip] = 1;
        }
    }

    int GetDlgItemInt(int nId) const override
    {
        if (readLog)
            readLog->push_back("read(" + std::to_string(nId) + ")");
        const auto it = fields.find(nId);
        return it == fields.end() ? 0 : it->second;
    }

    void setStrip(int strip, int channel, int value)
    {
        fields[IDC_CHANNEL1 + strip - 1] = channel;
        fields[IDC_VALUE1 + strip - 1] = value;
    }

    std::map<int, int> fields;
    std::vector<std::string>* readLog = nullptr; // where each read is noted, if anywhere
};
