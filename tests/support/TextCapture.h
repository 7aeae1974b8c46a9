#pragma once

#include "serial/Diagnostics.h"

#include <string>
#include <vector>

// Collects what the serial link emits of one kind while it lives.
class TextCapture
{
public:
    explicit TextCapture(SerialText kind) : m_kind(kind)
    {
        texts().clear();
        setSerialTextSink(kind, [](const char* text) { texts().emplace_back(text); });
    }
    ~TextCapture() { setSerialTextSink(m_kind, nullptr); }

    TextCapture(const TextCapture&) = delete;
    TextCapture& operator=(const TextCapture&) = delete;

    const std::vector<std::string>& lines() const { return texts(); }

private:
    static std::vector<std::string>& texts()
    {
        static std::vector<std::string> collected;
        return collected;
    }

    SerialText m_kind;
};
