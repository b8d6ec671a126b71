#pragma once

#include "gameserveranswer.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

namespace velberd::test {

// A game server's port on 127.0.0.1, for tests and benchmarks: it answers the game's ping and its
// status query as its style says, after a set delay. It serves on a thread of its own until it goes.
class StandInGameServer {
public:
    using Answer = PingAnswer;

    explicit StandInGameServer(Answer answer = Answer::Right, std::chrono::milliseconds delay = {},
                               int floodSize = 20'000);
    explicit StandInGameServer(AnswerStyle style, std::chrono::milliseconds delay = {});
    ~StandInGameServer();
    StandInGameServer(const StandInGameServer&) = delete;
    StandInGameServer& operator=(const StandInGameServer&) = delete;

    std::uint16_t port() const { return m_port; }
    // Game pings received so far, and the answers (right or wrong) sent to them.
    int requests() const { return m_requests; }
    int answers() const { return m_answers; }
    // Status queries received so far.
    int statusRequests() const { return m_statusRequests; }

private:
    void serve();

    AnswerStyle m_style;
    std::chrono::milliseconds m_delay;
    std::uintptr_t m_socket;
    std::uintptr_t m_otherSocket;
    std::uint16_t m_port = 0;
    std::atomic<int> m_requests{0};
    std::atomic<int> m_answers{0};
    std::atomic<int> m_statusRequests{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace velberd::test
