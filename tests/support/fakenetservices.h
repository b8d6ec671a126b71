#pragma once

#include "net/netservices.h"

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace velberd::test {

// Name service and echo as a test sets them up: known names and round trips per address text,
// optional delays to stand in for a slow resolver or a silent server, and a log of the echoes.
class FakeNetServices final : public net::NetServices {
public:
    void setHostName(const std::string& address, const std::string& name, int delayMs = 0);
    void setRoundTrip(const std::string& address, std::uint32_t milliseconds);
    void setLookupDelay(int milliseconds) { m_lookupDelayMs = milliseconds; }
    void setEchoDelay(int milliseconds) { m_echoDelayMs = milliseconds; }
    void setSessionOpens(bool opens) { m_sessionOpens = opens; }
    void setSessionCloses(bool closes) { m_sessionCloses = closes; }

    std::vector<std::string> echoes() const;
    int openSessions() const { return m_openSessions; }

    bool StartSocketLibrary() override;
    bool StopSocketLibrary() override;
    net::Address AddressFromText(const std::string& text) override;
    std::string HostNameFromAddress(net::Address address) override;
    std::string HostNameFromText(const std::string& text) override;
    std::int32_t SendEcho(const std::string& address, const std::string& payload,
                          net::EchoReplyRecord& record) override;

private:
    struct Name {
        std::string name;
        int delayMs = 0;
    };

    mutable std::mutex m_mutex;
    std::map<std::string, Name> m_names;
    std::map<std::string, std::uint32_t> m_roundTrips;
    std::vector<std::string> m_echoes;
    std::atomic<int> m_lookupDelayMs{0};
    std::atomic<int> m_echoDelayMs{0};
    std::atomic<bool> m_sessionOpens{true};
    std::atomic<bool> m_sessionCloses{true};
    std::atomic<int> m_openSessions{0};
};

} // namespace velberd::test
