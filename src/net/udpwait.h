#pragma once

#include "net/gameping.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace velberd::net {

// A platform's UDP socket, connected to the game server, as the wait for its answer uses it: the
// system hands it datagrams from that address and port only.
class UdpSocket {
public:
    using Clock = std::chrono::steady_clock;
    enum class Wait { Readable, TimedOut, Unwanted };
    enum class Read {
        Datagram, // size bytes are in the buffer
        Empty,    // nothing more is waiting
        Refused,  // the server's port is closed: the system was told so
    };
    struct Received {
        Read read = Read::Empty;
        std::size_t size = 0;
        std::uint32_t roundTripMs = 0; // from the send to the datagram's arrival
    };

    virtual ~UdpSocket() = default;
    // Until something is waiting, the deadline passes or the caller no longer wants the answer.
    virtual Wait waitReadable(Clock::time_point deadline, const StillWanted& wanted) = 0;
    // Takes one waiting datagram without blocking.
    virtual Received receive(std::span<unsigned char> buffer) = 0;
};

// A flood of other datagrams is read this many at a time between looks at the clock.
inline constexpr int kDatagramsPerWake = 64;

// Whether a datagram from the server is the answer to the question asked. It may keep what it reads
// of it: the datagram's bytes last only for the call.
using AnswerCheck = std::function<bool(std::span<const unsigned char> datagram)>;

// Reads until the server's answer comes, the deadline passes or the caller no longer wants it, and
// drops everything else; however fast datagrams come, the clock is looked at every
// kDatagramsPerWake of them. The round trip is the answer's.
GamePingResult awaitAnswer(UdpSocket& socket, UdpSocket::Clock::time_point deadline, const StillWanted& wanted,
                           const AnswerCheck& isAnswer);

} // namespace velberd::net
