#include "NetworkOutput.h"

#include "OutputSettings.h"
#include "net/Ipv4Address.h"

NetworkOutput::NetworkOutput(DatagramSocket& socket, OutputKind kind, const char* universeName,
                             uint16_t port)
    : m_socket(socket), m_kind(outputKindRow(kind)), m_universeName(universeName), m_port(port)
{}

NetworkOutput::~NetworkOutput()
{
    NetworkOutput::Close();
}

bool NetworkOutput::Open(const OutputSettings& settings)
{
    Close();
    const int universe = settings.universe;
    if (universe < m_kind.firstUniverse || universe > m_kind.lastUniverse) {
        const std::string number = std::to_string(universe);
        return Refuse({OpenFailure::Cause::UniverseOutOfRange, {}, number},
                      m_universeName + (" " + number) + " is outside " +
                          std::to_string(m_kind.firstUniverse) + " to " +
                          std::to_string(m_kind.lastUniverse));
    }
    m_universe = static_cast<uint16_t>(universe);
    const auto address = destinationAddress(settings.address, DefaultDestination(m_universe));
    if (!address)
        return Refuse({OpenFailure::Cause::NotIpv4Address, {}, settings.address},
                      "\"" + settings.address + "\" is not an IPv4 address");
    m_destination = {*address, m_port};
    if (!m_socket.open({m_destination, {}})) {
        const OpenFailure& failure = m_socket.openFailure();
        return Refuse(failure, "cannot send to " + failure.device + ": " + failure.reason);
    }
    m_open = true;
    m_sends.Reset();
    m_destinationText = endpointText(m_destination);
    m_failure = {};
    return true;
}

bool NetworkOutput::Refuse(const OpenFailure& failure, const std::string& warning)
{
    m_failure = failure;
    writeLog(LogCategory::Network, LogLevel::Warning, warning);
    return false;
}

void NetworkOutput::Close()
{
    if (m_open)
        m_socket.close();
    m_open = false;
}

OutputStatus NetworkOutput::Status() const
{
    OutputStatus status;
    status.writesFailing = m_sends.Failing();
    return status;
}

void NetworkOutput::Send(std::span<const uint8_t> datagram)
{
    m_sends.Note(m_socket.send(datagram, m_destination), m_destinationText, m_socket.sendFailure());
}
