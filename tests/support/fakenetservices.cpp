#include "fakenetservices.h"

#include <chrono>
#include <optional>
#include <thread>

namespace velberd::test {
namespace {

void pause(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace

void FakeNetServices::setHostName(const std::string& address, const std::string& name, int delayMs) {
    const std::lock_guard lock(m_mutex);
    m_names[address] = {name, delayMs};
}

void FakeNetServices::setRoundTrip(const std::string& address, std::uint32_t milliseconds) {
    const std::lock_guard lock(m_mutex);
    m_roundTrips[address] = milliseconds;
}

std::vector<std::string> FakeNetServices::echoes() const {
    const std::lock_guard lock(m_mutex);
    return m_echoes;
}

bool FakeNetServices::StartSocketLibrary() {
    if (!m_sessionOpens) return false;
    ++m_openSessions;
    return true;
}

bool FakeNetServices::StopSocketLibrary() {
    --m_openSessions;
    return m_sessionCloses;
}

net::Address FakeNetServices::AddressFromText(const std::string&) {
    return net::kFailureAddress;
}

std::string FakeNetServices::HostNameFromAddress(net::Address) {
    return "Unknown";
}

std::string FakeNetServices::HostNameFromText(const std::string& text) {
    Name found{"Unknown", 0};
    {
        const std::lock_guard lock(m_mutex);
        if (const auto it = m_names.find(text); it != m_names.end()) found = it->second;
    }
    pause(m_lookupDelayMs + found.delayMs);
    return found.name;
}

std::int32_t FakeNetServices::SendEcho(const std::string& address, const std::string& payload,
                                       net::EchoReplyRecord& record) {
    std::optional<std::uint32_t> roundTrip;
    {
        const std::lock_guard lock(m_mutex);
        m_echoes.push_back(address + "|" + payload);
        if (const auto it = m_roundTrips.find(address); it != m_roundTrips.end()) roundTrip = it->second;
    }
    pause(m_echoDelayMs);
    if (!roundTrip) return -1;
    record.setStatus(net::kIpSuccess);
    record.setRoundTripTime(*roundTrip);
    return net::kIpSuccess;
}

} // namespace velberd::test
