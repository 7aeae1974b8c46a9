#include "FakeSerialDevice.h"

bool FakeSerialDevice::openExclusive(int portNumber)
{
    calls.push_back("openExclusive(" + std::to_string(portNumber) + ")");
    if (open)
        return false;
    if (!presentPorts.count(portNumber)) {
        failure = {OpenFailure::Cause::NoSuchPort, {}, {}};
        return false;
    }
    if (refuseOpen) {
        failure = *refuseOpen;
        return false;
    }
    open = true;
    return true;
}

bool FakeSerialDevice::setEventMask(uint32_t mask)
{
    calls.push_back("setEventMask(" + std::to_string(mask) + ")");
    return true;
}

bool FakeSerialDevice::setQueueSizes(uint32_t inputBytes, uint32_t outputBytes)
{
    calls.push_back("setQueueSizes(" + std::to_string(inputBytes) + "," +
                    std::to_string(outputBytes) + ")");
    return true;
}

bool FakeSerialDevice::purge(uint32_t flags)
{
    calls.push_back("purge(" + std::to_string(flags) + ")");
    return true;
}

bool FakeSerialDevice::setTimeouts(const CommTimeouts& t)
{
    calls.push_back("setTimeouts(" + std::to_string(t.ReadIntervalTimeout) + "," +
                    std::to_string(t.ReadTotalTimeoutMultiplier) + "," +
                    std::to_string(t.ReadTotalTimeoutConstant) + "," +
                    std::to_string(t.WriteTotalTimeoutMultiplier) + "," +
                    std::to_string(t.WriteTotalTimeoutConstant) + ")");
    timeouts = t;
    return true;
}

bool FakeSerialDevice::getLineSettings(LineSettings& settings)
{
    calls.push_back("getLineSettings");
    settings = line;
    return true;
}

bool FakeSerialDevice::setLineSettings(const LineSettings& settings)
{
    calls.push_back("setLineSettings(" + std::to_string(settings.BaudRate) + ")");
    if (refuseSettings) {
        failure = {OpenFailure::Cause::SettingsRefused, "/dev/fake", {}};
        return false;
    }
    line = settings;
    return true;
}

bool FakeSerialDevice::setDtr(bool raised)
{
    calls.push_back(std::string("setDtr(") + (raised ? "1" : "0") + ")");
    dtr = raised;
    return true;
}

WriteStatus FakeSerialDevice::startWrite(const void* data, size_t length, size_t& transferred)
{
    calls.push_back("startWrite(" + std::to_string(length) + ")");
    m_current = WriteScript::AtOnce;
    if (!writeScript.empty()) {
        m_current = writeScript.front();
        writeScript.pop_front();
    }
    if (m_current == WriteScript::RefusedAtOnce)
        return WriteStatus::Failed;
    const auto* bytes = static_cast<const uint8_t*>(data);
    writes.push_back({std::vector<uint8_t>(bytes, bytes + length), line.BaudRate});
    if (m_current == WriteScript::AtOnce) {
        transferred = length;
        return WriteStatus::Completed;
    }
    m_pendingLength = length;
    m_waits = 0;
    return WriteStatus::Pending;
}

WriteStatus FakeSerialDevice::waitForWrite(size_t& transferred)
{
    calls.push_back("waitForWrite");
    const size_t half = m_pendingLength / 2;
    switch (m_current) {
    case WriteScript::PendingTwice:
        if (m_waits++ == 0) {
            transferred = half;
            return WriteStatus::Incomplete;
        }
        transferred = m_pendingLength - half;
        return WriteStatus::Completed;
    case WriteScript::Short:
        transferred = m_pendingLength - 1;
        return WriteStatus::Completed;
    case WriteScript::WaitError:
        transferred = half;
        return WriteStatus::Failed;
    default:
        transferred = m_pendingLength;
        return WriteStatus::Completed;
    }
}

void FakeSerialDevice::clearError()
{
    calls.push_back("clearError");
}

bool FakeSerialDevice::read(void* buffer, size_t capacity, size_t& received)
{
    received = 0;
    if (!open || failReads)
        return false;
    auto* bytes = static_cast<uint8_t*>(buffer);
    for (; received < capacity && !incoming.empty(); incoming.pop_front())
        bytes[received++] = incoming.front();
    return true;
}

void FakeSerialDevice::close()
{
    calls.push_back("close");
    open = false;
}

std::vector<std::string> FakeSerialDevice::callsStartingWith(const std::string& prefix) const
{
    std::vector<std::string> found;
    for (const auto& call : calls)
        if (call.rfind(prefix, 0) == 0)
            found.push_back(call);
    return found;
}

void FakeSerialDevice::clearRecord()
{
    calls.clear();
    writes.clear();
}
