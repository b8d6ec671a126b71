#include "fakenetservices.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace velberd::test {
namespace {

void pause(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// What the real services refuse to send to, as they do: a name, "restricted" and the like.
bool isDotted(const std::string& address) {
    return !address.empty() && std::count(address.begin(), address.end(), '.') == 3 &&
           address.find_first_not_of("0123456789.") == std::string::npos;
}

} // namespace

void FakeNetServices::setHostName(const std::string& address, const std::string& name, int delayMs) {
    const std::lock_guard lock(m_mutex);
    m_names[address] = {name, delayMs};
}

void FakeNetServices::setRoundTrip(const std::string& address, std::optional<std::uint32_t> milliseconds) {
    const std::lock_guard lock(m_mutex);
    if (milliseconds) {
        m_roundTrips[address] = *milliseconds;
    } else {
        m_roundTrips.erase(address);
    }
}

void FakeNetServices::setGameRoundTrip(const std::string& address, std::optional<std::uint32_t> milliseconds) {
    const std::lock_guard lock(m_mutex);
    if (milliseconds) {
        m_gameRoundTrips[address] = *milliseconds;
    } else {
        m_gameRoundTrips.erase(address);
    }
}

void FakeNetServices::setGameStatus(const std::string& address, std::optional<net::ServerStatus> status) {
    const std::lock_guard lock(m_mutex);
    if (status) {
        m_statuses[address] = std::move(*status);
    } else {
        m_statuses.erase(address);
    }
}

void FakeNetServices::holdLookups() {
    const std::lock_guard lock(m_mutex);
    m_lookupsHeld = true;
}

void FakeNetServices::releaseLookups() {
    {
        const std::lock_guard lock(m_mutex);
        m_lookupsHeld = false;
    }
    m_released.notify_all();
}

void FakeNetServices::holdEchoes() {
    const std::lock_guard lock(m_mutex);
    m_echoesHeld = true;
}

void FakeNetServices::releaseEchoes() {
    {
        const std::lock_guard lock(m_mutex);
        m_echoesHeld = false;
    }
    m_released.notify_all();
}

int FakeNetServices::mostEchoesAtOnce() const {
    const std::lock_guard lock(m_mutex);
    return m_mostEchoesAtOnce;
}

std::vector<std::string> FakeNetServices::lookups() const {
    const std::lock_guard lock(m_mutex);
    return m_lookups;
}

std::vector<std::string> FakeNetServices::echoes() const {
    const std::lock_guard lock(m_mutex);
    return m_echoes;
}

std::vector<std::string> FakeNetServices::gamePings() const {
    const std::lock_guard lock(m_mutex);
    return m_gamePings;
}

bool FakeNetServices::startSocketLibrary() {
    if (!m_sessionOpens) return false;
    ++m_openSessions;
    return true;
}

bool FakeNetServices::stopSocketLibrary() {
    --m_openSessions;
    return m_sessionCloses;
}

std::string FakeNetServices::hostNameFromText(const std::string& text) {
    Name found{"Unknown", 0};
    {
        std::unique_lock lock(m_mutex);
        m_lookups.push_back(text);
        m_released.wait(lock, [this] { return !m_lookupsHeld; });
        if (const auto it = m_names.find(text); it != m_names.end()) found = it->second;
    }
    pause(m_lookupDelayMs + found.delayMs);
    ++m_answeredLookups;
    return found.name;
}

net::EchoOutcome FakeNetServices::exchangeEcho(const std::string& address, const std::string& payload,
                                               net::EchoReplyRecord& record, const net::StillWanted&) {
    if (!m_echoServiceOpens) return net::EchoOutcome::ServiceUnavailable;
    std::optional<std::uint32_t> roundTrip;
    {
        std::unique_lock lock(m_mutex);
        m_echoes.push_back(address + "|" + payload);
        if (!isDotted(address)) return net::EchoOutcome::NotDotted;
        m_mostEchoesAtOnce = std::max(m_mostEchoesAtOnce, ++m_echoesOut);
        m_released.wait(lock, [this] { return !m_echoesHeld; });
        if (const auto it = m_roundTrips.find(address); it != m_roundTrips.end()) roundTrip = it->second;
    }
    pause(m_echoDelayMs);
    {
        const std::lock_guard lock(m_mutex);
        --m_echoesOut;
    }
    if (!roundTrip) {
        record.setStatus(net::kIpReqTimedOut);
        return net::EchoOutcome::NoReply;
    }
    record.setStatus(net::kIpSuccess);
    record.setRoundTripTime(*roundTrip);
    return net::EchoOutcome::Replied;
}

} // namespace velberd::test

namespace velberd::test {

net::GamePingResult FakeNetServices::exchangeGamePing(const std::string& address, std::uint16_t port,
                                                      const net::StillWanted& wanted) {
    if (!isDotted(address)) return {net::GamePingOutcome::NotDotted, 0};
    if (!m_gamePingSends) return {net::GamePingOutcome::CannotSend, 0};
    std::optional<std::uint32_t> roundTrip;
    {
        const std::lock_guard lock(m_mutex);
        m_gamePings.push_back(address + ":" + std::to_string(port));
        if (const auto it = m_gameRoundTrips.find(address); it != m_gameRoundTrips.end()) roundTrip = it->second;
    }
    if (m_gamePingsOnLoopback && address == "127.0.0.1") return net::exchangeGamePing(address, port, wanted);
    if (roundTrip) return {net::GamePingOutcome::Answered, *roundTrip};
    return {net::GamePingOutcome::NoReply, 0};
}

net::GameStatusResult FakeNetServices::exchangeGameStatus(const std::string& address, std::uint16_t port,
                                                          const net::StillWanted& wanted) {
    ++m_statusQueries;
    if (!isDotted(address)) return {net::GamePingOutcome::NotDotted, {}};
    if (!m_gamePingSends) return {net::GamePingOutcome::CannotSend, {}};
    if (m_gamePingsOnLoopback && address == "127.0.0.1") return net::exchangeGameStatus(address, port, wanted);
    const std::lock_guard lock(m_mutex);
    if (const auto it = m_statuses.find(address); it != m_statuses.end())
        return {net::GamePingOutcome::Answered, it->second};
    return {net::GamePingOutcome::NoReply, {}};
}

} // namespace velberd::test
