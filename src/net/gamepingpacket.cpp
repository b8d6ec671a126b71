#include "net/gamepingpacket.h"

#include <atomic>

namespace velberd::net::gameping {
namespace {

constexpr unsigned kModulus = 251;
constexpr unsigned kLastSequence = 6;
constexpr std::array<unsigned char, 4> kVersion = {'2', '4', ' ', ' '};

bool checksumHolds(std::span<const unsigned char> datagram) {
    const auto sum = checksum(datagram);
    return sum && datagram[0] == (*sum)[0] && datagram[1] == (*sum)[1];
}

} // namespace

std::optional<std::array<unsigned char, 2>> checksum(std::span<const unsigned char> datagram) {
    if (datagram.size() < 2) return std::nullopt;
    // Sums modulo 251 as they go, so no length of datagram overflows them.
    unsigned x = 1;
    unsigned y = 1;
    for (const unsigned char byte : datagram.subspan(2)) {
        x = (x + byte) % kModulus;
        y = (y + x) % kModulus;
    }
    return std::array<unsigned char, 2>{static_cast<unsigned char>(x), static_cast<unsigned char>(y)};
}

void sign(std::span<unsigned char> datagram) {
    if (const auto sum = checksum(datagram)) {
        datagram[0] = (*sum)[0];
        datagram[1] = (*sum)[1];
    }
}

std::uint8_t nextSequence() {
    static std::atomic<unsigned> requests{0};
    return static_cast<std::uint8_t>(requests.fetch_add(1, std::memory_order_relaxed) % kLastSequence + 1);
}

std::array<unsigned char, kRequestSize> request(std::uint8_t sequence) {
    std::array<unsigned char, kRequestSize> datagram{};
    datagram[2] = kRequestType;
    datagram[3] = sequence;
    std::copy(kVersion.begin(), kVersion.end(), datagram.begin() + 8);
    sign(datagram);
    return datagram;
}

bool isAnswer(std::span<const unsigned char> datagram) {
    return datagram.size() >= kMinAnswerSize && datagram[2] == kAnswerType && checksumHolds(datagram);
}

std::optional<std::uint8_t> requestSequence(std::span<const unsigned char> datagram) {
    if (datagram.size() != kRequestSize || datagram[2] != kRequestType || !checksumHolds(datagram)) return std::nullopt;
    return datagram[3];
}

std::vector<unsigned char> answer(std::uint8_t sequence, std::uint8_t flags) {
    std::vector<unsigned char> datagram(kMinAnswerSize);
    datagram[2] = kAnswerType;
    datagram[3] = sequence;
    datagram[8] = flags;
    sign(datagram);
    return datagram;
}

} // namespace velberd::net::gameping
