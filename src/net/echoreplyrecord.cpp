#include "net/echo.h"

#include <cstring>

namespace velberd::net {
namespace {

template <typename T> T readAt(const std::array<unsigned char, kEchoReplySize>& bytes, std::size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

template <typename T> void writeAt(std::array<unsigned char, kEchoReplySize>& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

} // namespace

std::uint32_t EchoReplyRecord::address() const {
    return readAt<std::uint32_t>(bytes, kAddressOffset);
}
std::int32_t EchoReplyRecord::status() const {
    return readAt<std::int32_t>(bytes, kStatusOffset);
}
std::uint32_t EchoReplyRecord::roundTripTime() const {
    return readAt<std::uint32_t>(bytes, kRoundTripTimeOffset);
}
std::uint16_t EchoReplyRecord::dataSize() const {
    return readAt<std::uint16_t>(bytes, kDataSizeOffset);
}

void EchoReplyRecord::setAddress(std::uint32_t value) {
    writeAt(bytes, kAddressOffset, value);
}
void EchoReplyRecord::setStatus(std::int32_t value) {
    writeAt(bytes, kStatusOffset, value);
}
void EchoReplyRecord::setRoundTripTime(std::uint32_t value) {
    writeAt(bytes, kRoundTripTimeOffset, value);
}
void EchoReplyRecord::setDataSize(std::uint16_t value) {
    writeAt(bytes, kDataSizeOffset, value);
}

} // namespace velberd::net
