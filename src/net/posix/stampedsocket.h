#pragma once

#include "net/stillwanted.h"

#include <chrono>
#include <cstdint>
#include <ctime>
#include <netinet/in.h>
#include <span>
#include <sys/types.h>

// Round trips as exact as the kernel tells them: the send time is taken right at the send, the
// arrival time is the one the kernel stamps on the datagram (SO_TIMESTAMPNS, as ping takes it), so
// a busy machine's delay in waking the reader does not count.
namespace velberd::net::posix {

using Clock = std::chrono::steady_clock;

struct SendTime {
    timespec wall{}; // the clock the kernel stamps arrivals with
    Clock::time_point steady;
};

struct Received {
    ssize_t size = -1;
    sockaddr_in from{};
    timespec arrived{}; // the kernel's stamp, or the time of reading where it gave none
    Clock::time_point read;
    int error = 0; // errno when size < 0
};

// Asks the kernel to stamp every datagram the socket receives.
void stampArrivals(int fd);

SendTime sendTimeNow();

// Takes one waiting datagram without blocking.
Received receiveStamped(int fd, std::span<unsigned char> buffer);

// Whole milliseconds from the send to the arrival. The kernel's stamp is used when it lies between
// the send and the reading; a wall clock that was set meanwhile falls back to the time of reading.
std::uint32_t roundTripMs(const SendTime& sent, const Received& received);

enum class Wait { Readable, TimedOut, Unwanted };

// Waits until fd has something to read, the deadline passes or the caller no longer wants the
// result, asking every kWantedCheckMs.
Wait waitReadable(int fd, Clock::time_point deadline, const StillWanted& wanted);

} // namespace velberd::net::posix
