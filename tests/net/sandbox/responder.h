#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <sys/types.h>

namespace velberd::net::sandbox {

// A stand-in for a slow host: a child process in namespace ns (whose kernel ignores echo
// requests) that answers each echo request, and with a game port each game ping to that UDP port,
// after the given delay from its arrival. With decoys it first sends, at once, packets that must
// not be taken for the echo's answer: replies with a wrong sequence number, with a wrong payload,
// and from another address of its own (kDecoyAddress), and the request itself sent back. It runs
// at a real-time priority where it may, so that a busy machine does not make its answers late.
// It stops when the object goes, or after a minute at the latest.
inline constexpr const char* kDecoyAddress = "203.0.113.3";

class DelayedResponder {
public:
    DelayedResponder(const std::string& ns, std::chrono::milliseconds delay, bool decoys = false,
                     std::uint16_t gamePort = 0);
    ~DelayedResponder();
    DelayedResponder(const DelayedResponder&) = delete;
    DelayedResponder& operator=(const DelayedResponder&) = delete;

private:
    void stop();

    pid_t m_child = -1;
    int m_stop = -1;
};

} // namespace velberd::net::sandbox
