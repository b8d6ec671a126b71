#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The datagrams of the game's own ping, which a game server answers on its game port (UDP).
// Every datagram starts with a two-byte checksum over the bytes from index 2 on.
namespace velberd::net::gameping {

inline constexpr std::uint8_t kRequestType = 0x03;
inline constexpr std::uint8_t kAnswerType = 0x04;
inline constexpr std::size_t kRequestSize = 12;
inline constexpr std::size_t kMinAnswerSize = 9;
// In an answer's flags byte: the game mode in the low three bits, and a private server.
inline constexpr std::uint8_t kGameModeMask = 0x07;
inline constexpr std::uint8_t kPrivateFlag = 0x20;

// The checksum of a datagram, as its first two bytes hold it; a datagram under two bytes has none.
std::optional<std::array<unsigned char, 2>> checksum(std::span<const unsigned char> datagram);

// Writes the checksum into the first two bytes of a datagram of two bytes or more.
void sign(std::span<unsigned char> datagram);

// The sequence byte of the next request: 1 to 6 in turn across the program, as servers in the
// field expect it (some mishandle 0).
std::uint8_t nextSequence();

// A request with the given sequence byte and the version text "24  ", which 1.23 and 1.24 servers
// both answer.
std::array<unsigned char, kRequestSize> request(std::uint8_t sequence);

// True when the datagram is an answer: long enough, its checksum right and its type an answer's.
// The sequence byte is not looked at: servers fill it in their own ways, and each ping has a
// connected socket of its own, so no answer to another ping reaches it.
bool isAnswer(std::span<const unsigned char> datagram);

// The other side, for stand-ins of a game server: the sequence byte of a well-formed request, and
// the answer to it.
std::optional<std::uint8_t> requestSequence(std::span<const unsigned char> datagram);
std::vector<unsigned char> answer(std::uint8_t sequence, std::uint8_t flags);

} // namespace velberd::net::gameping
