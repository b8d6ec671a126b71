#pragma once

#include "net/netservices.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace velberd::test {

// Name service, echo, game ping and status query as a test sets them up: known names, round trips
// and status answers per address text, optional delays to stand in for a slow resolver or a slow
// server, a resolver that answers nothing until released, echoes held until released, and a log of
// the lookups, echoes and game pings and a count of the status queries. Game pings and status
// queries to loopback can go to the real thing, for a stand-in game server to answer.
class FakeNetServices final : public net::NetServices {
public:
    void setHostName(const std::string& address, const std::string& name, int delayMs = 0);
    // No round trip (the default for every address): the echo gets no reply.
    void setRoundTrip(const std::string& address, std::optional<std::uint32_t> milliseconds);
    void setLookupDelay(int milliseconds) { m_lookupDelayMs = milliseconds; }
    void setEchoDelay(int milliseconds) { m_echoDelayMs = milliseconds; }
    void setSessionOpens(bool opens) { m_sessionOpens = opens; }
    void setSessionCloses(bool closes) { m_sessionCloses = closes; }
    void setEchoServiceOpens(bool opens) { m_echoServiceOpens = opens; }
    // No round trip (the default for every address): the game ping gets no reply.
    void setGameRoundTrip(const std::string& address, std::optional<std::uint32_t> milliseconds);
    // No status (the default for every address): the status query gets no reply.
    void setGameStatus(const std::string& address, std::optional<net::ServerStatus> status);
    // Game pings and status queries to 127.0.0.1 are sent for real; to any other address they are
    // never sent. setGamePingSends(false) makes both unable to send.
    void sendGamePingsOnLoopback() { m_gamePingsOnLoopback = true; }
    void setGamePingSends(bool sends) { m_gamePingSends = sends; }
    // Every lookup from now on waits until releaseLookups().
    void holdLookups();
    void releaseLookups();
    // Every echo from now on is logged and then waits until releaseEchoes().
    void holdEchoes();
    void releaseEchoes();

    std::vector<std::string> echoes() const;
    // Every game ping, as "address:port".
    std::vector<std::string> gamePings() const;
    // Every address text a lookup was asked for, as it was asked.
    std::vector<std::string> lookups() const;
    // How many status queries were asked, sent or not.
    int statusQueries() const { return m_statusQueries; }
    // How many lookups have given their answer.
    int answeredLookups() const { return m_answeredLookups; }
    int openSessions() const { return m_openSessions; }
    // The most echoes that were out at the same time.
    int mostEchoesAtOnce() const;

    bool startSocketLibrary() override;
    bool stopSocketLibrary() override;
    std::string hostNameFromText(const std::string& text) override;
    net::EchoOutcome exchangeEcho(const std::string& address, const std::string& payload, net::EchoReplyRecord& record,
                                  const net::StillWanted& wanted) override;
    net::GamePingResult exchangeGamePing(const std::string& address, std::uint16_t port,
                                         const net::StillWanted& wanted) override;
    net::GameStatusResult exchangeGameStatus(const std::string& address, std::uint16_t port,
                                             const net::StillWanted& wanted) override;

private:
    struct Name {
        std::string name;
        int delayMs = 0;
    };

    mutable std::mutex m_mutex;
    std::condition_variable m_released;
    bool m_lookupsHeld = false;
    bool m_echoesHeld = false;
    std::map<std::string, Name> m_names;
    std::map<std::string, std::uint32_t> m_roundTrips;
    std::map<std::string, std::uint32_t> m_gameRoundTrips;
    std::vector<std::string> m_echoes;
    std::vector<std::string> m_gamePings;
    std::map<std::string, net::ServerStatus> m_statuses;
    std::atomic<int> m_statusQueries{0};
    std::atomic<bool> m_gamePingsOnLoopback{false};
    std::atomic<bool> m_gamePingSends{true};
    std::vector<std::string> m_lookups;
    std::atomic<int> m_lookupDelayMs{0};
    std::atomic<int> m_echoDelayMs{0};
    std::atomic<bool> m_sessionOpens{true};
    std::atomic<bool> m_sessionCloses{true};
    std::atomic<bool> m_echoServiceOpens{true};
    std::atomic<int> m_openSessions{0};
    std::atomic<int> m_answeredLookups{0};
    int m_echoesOut = 0;
    int m_mostEchoesAtOnce = 0;
};

} // namespace velberd::test
