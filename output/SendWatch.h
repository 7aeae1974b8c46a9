#pragma once

#include "base/Log.h"

#include <string>

// Whether an output's sends go through, told to the log once per change: one warning when they
// start failing and one line when they work again, not one at every frame.
class SendWatch
{
public:
    explicit SendWatch(LogCategory category) : m_category(category) {}

    // How the last send to where went; reason is the system's word for a failure.
    void Note(bool sent, const std::string& where, const std::string& reason);
    bool Failing() const { return m_failing; }
    // A fresh start, as after opening.
    void Reset() { m_failing = false; }

private:
    LogCategory m_category;
    bool m_failing = false;
};
