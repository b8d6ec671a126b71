#include "net/posix/icmppacket.h"

namespace velberd::net::icmp {
namespace {

constexpr std::size_t kMinIpHeaderSize = 20;

std::uint16_t read16(std::span<const unsigned char> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] << 8 | bytes[offset + 1]);
}

void write16(std::vector<unsigned char>& bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<unsigned char>(value >> 8);
    bytes[offset + 1] = static_cast<unsigned char>(value & 0xFF);
}

} // namespace

std::uint16_t internetChecksum(std::span<const unsigned char> bytes) {
    std::uint32_t sum = 0;
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2)
        sum += read16(bytes, i);
    if (i < bytes.size()) sum += static_cast<std::uint32_t>(bytes[i]) << 8;
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint16_t>(~sum & 0xFFFF);
}

std::vector<unsigned char> buildEcho(std::uint8_t type, std::uint16_t id, std::uint16_t sequence,
                                     std::string_view payload) {
    std::vector<unsigned char> message(kHeaderSize + payload.size());
    message[0] = type;
    write16(message, 4, id);
    write16(message, 6, sequence);
    std::copy(payload.begin(), payload.end(), message.begin() + kHeaderSize);
    write16(message, 2, internetChecksum(message));
    return message;
}

std::optional<EchoMessage> parseEcho(std::span<const unsigned char> packet, bool withIpHeader) {
    if (withIpHeader) {
        if (packet.size() < kMinIpHeaderSize || packet[0] >> 4 != 4) return std::nullopt;
        const std::size_t ipHeaderSize = static_cast<std::size_t>(packet[0] & 0x0F) * 4;
        if (ipHeaderSize < kMinIpHeaderSize || packet.size() < ipHeaderSize) return std::nullopt;
        packet = packet.subspan(ipHeaderSize);
    }
    if (packet.size() < kHeaderSize) return std::nullopt;
    const std::uint8_t type = packet[0];
    if ((type != kEchoReplyType && type != kEchoRequestType) || packet[1] != 0) return std::nullopt;
    const auto payload = packet.subspan(kHeaderSize);
    return EchoMessage{type, read16(packet, 4), read16(packet, 6),
                       std::string_view(reinterpret_cast<const char*>(payload.data()), payload.size())};
}

} // namespace velberd::net::icmp
