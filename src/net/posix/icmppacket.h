#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// The bytes of ICMP echo messages, for the POSIX backend that sends them itself.
namespace velberd::net::icmp {

inline constexpr std::uint8_t kEchoReplyType = 0;
inline constexpr std::uint8_t kEchoRequestType = 8;
inline constexpr std::size_t kHeaderSize = 8;

// RFC 1071 ones' complement sum, as stored in the checksum field (host order in, wire bytes out).
std::uint16_t internetChecksum(std::span<const unsigned char> bytes);

// An echo message of the given type with a valid checksum.
std::vector<unsigned char> buildEcho(std::uint8_t type, std::uint16_t id, std::uint16_t sequence,
                                     std::string_view payload);

struct EchoMessage {
    std::uint8_t type;
    std::uint16_t id;
    std::uint16_t sequence;
    std::string_view payload;
};

// The echo request or reply in a received packet; a raw socket's packets start with the IP
// header, a ping socket's with the ICMP header. No value for anything else.
std::optional<EchoMessage> parseEcho(std::span<const unsigned char> packet, bool withIpHeader);

} // namespace velberd::net::icmp
