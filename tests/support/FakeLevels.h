#pragma once

#include "dmx/FrameSender.h"

#include <string>
#include <utility>
#include <vector>

// Six strips' levels: strip k on channel k at 1, as on a freshly shown console.
class FakeLevels : public ChannelLevels
{
public:
    void ReadLevels(const SetLevel& set) const override
    {
        if (readLog)
            readLog->push_back("readLevels");
        for (const auto& [channel, value] : strips)
            set(channel, value);
    }

    void setStrip(int strip, int channel, int value)
    {
        strips[static_cast<size_t>(strip - 1)] = {channel, value};
    }

    std::vector<std::pair<int, int>> strips{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}};
    std::vector<std::string>* readLog = nullptr; // where each reading is noted, if anywhere
};
