#pragma once

#include "net/udpwait.h"

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

namespace velberd::net {

// Sends one request from a UDP socket connected to the dotted address and port, and waits up to
// timeout for what isAnswer takes from that address and port (awaitAnswer). What every question to
// a game port needs of the platform: its socket calls, nothing of what is asked.
GamePingResult exchangeDatagram(const std::string& address, std::uint16_t port, std::span<const unsigned char> request,
                                std::chrono::milliseconds timeout, const AnswerCheck& isAnswer,
                                const StillWanted& wanted);

} // namespace velberd::net
