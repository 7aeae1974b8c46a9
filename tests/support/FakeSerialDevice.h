#pragma once

#include "serial/SerialDevice.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

// A serial device that records every call and answers as scripted.
class FakeSerialDevice : public SerialDevice
{
public:
    struct Write
    {
        std::vector<uint8_t> bytes;
        uint32_t baudRate; // the rate in force when the write started

        bool operator==(const Write&) const = default;
    };

    // How the next writes end; once the script runs out, writes complete at once.
    enum class WriteScript
    {
        AtOnce,        // completes within startWrite
        Pending,       // pending, then one wait completes it
        PendingTwice,  // pending, a wait reports half as incomplete, the next completes
        Short,         // pending, the wait completes with one byte fewer
        WaitError,     // pending, the wait fails after half the bytes
        RefusedAtOnce, // startWrite fails
    };

    // Every call in order, e.g. "openExclusive(1)", "purge(15)", "setDtr(1)".
    std::vector<std::string> calls;
    std::vector<Write> writes;
    LineSettings line; // the settings in force
    CommTimeouts timeouts;
    bool dtr = false;
    bool open = false;

    std::set<int> presentPorts{1, 2, 3, 4, 5, 6, 7, 8};
    bool refuseSettings = false;           // setLineSettings fails
    std::optional<OpenFailure> refuseOpen; // openExclusive of a present port fails so
    OpenFailure failure;                   // the last one
    std::deque<WriteScript> writeScript;
    std::deque<uint8_t> incoming; // what reads take, as it has arrived
    bool failReads = false;       // reads fail, as on a device that is gone

    bool openExclusive(int portNumber) override;
    bool setEventMask(uint32_t mask) override;
    bool setQueueSizes(uint32_t inputBytes, uint32_t outputBytes) override;
    bool purge(uint32_t flags) override;
    bool setTimeouts(const CommTimeouts& t) override;
    bool getLineSettings(LineSettings& settings) override;
    bool setLineSettings(const LineSettings& settings) override;
    bool setDtr(bool raised) override;
    WriteStatus startWrite(const void* data, size_t length, size_t& transferred) override;
    WriteStatus waitForWrite(size_t& transferred) override;
    void clearError() override;
    std::string writeFailure() const override { return "Input/output error"; }
    bool read(void* buffer, size_t capacity, size_t& received) override;
    void close() override;
    OpenFailure openFailure() const override { return failure; }

    // The calls whose text starts with prefix.
    std::vector<std::string> callsStartingWith(const std::string& prefix) const;
    void clearRecord();

private:
    WriteScript m_current = WriteScript::AtOnce;
    size_t m_pendingLength = 0;
    int m_waits = 0;
};
