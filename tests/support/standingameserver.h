#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

namespace velberd::test {

// A game server's port on 127.0.0.1, for tests and benchmarks: it answers the game's ping after a
// set delay, or answers wrongly in one way, or floods the pinger with datagrams that are no answer.
// It serves on a thread of its own until it goes.
class StandInGameServer {
public:
    enum class Answer {
        Right,
        WrongChecksum,
        WrongType,
        OtherSequence,   // the right answer with a sequence byte of its own, as some servers send
        FromAnotherPort, // the right answer, from another port of the same host
        ThreeBytes,
        Flood, // floodSize datagrams: junk, wrong checksums, wrong types, answers from another port
        Nothing,
    };

    explicit StandInGameServer(Answer answer = Answer::Right, std::chrono::milliseconds delay = {},
                               int floodSize = 20'000);
    ~StandInGameServer();
    StandInGameServer(const StandInGameServer&) = delete;
    StandInGameServer& operator=(const StandInGameServer&) = delete;

    std::uint16_t port() const { return m_port; }
    // Game pings received so far, and the answers (right or wrong) sent to them.
    int requests() const { return m_requests; }
    int answers() const { return m_answers; }

private:
    void serve();

    Answer m_answer;
    std::chrono::milliseconds m_delay;
    int m_floodSize;
    std::uintptr_t m_socket;
    std::uintptr_t m_otherSocket;
    std::uint16_t m_port = 0;
    std::atomic<int> m_requests{0};
    std::atomic<int> m_answers{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace velberd::test
