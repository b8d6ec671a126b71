#pragma once

#include "net/stillwanted.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace velberd::net {

inline constexpr std::size_t kEchoHeaderSize = 28;
inline constexpr std::size_t kEchoDataSize = 250;
inline constexpr std::size_t kEchoReplySize = kEchoHeaderSize + kEchoDataSize;
inline constexpr int kEchoTimeoutMs = 500;

// Status codes of the Windows ICMP service; the POSIX backend reports the same ones so that a
// record reads alike on both platforms.
inline constexpr std::int32_t kIpSuccess = 0;
inline constexpr std::int32_t kIpBufTooSmall = 11001;
inline constexpr std::int32_t kIpDestNetUnreachable = 11002;
inline constexpr std::int32_t kIpDestHostUnreachable = 11003;
inline constexpr std::int32_t kIpReqTimedOut = 11010;
inline constexpr std::int32_t kIpGeneralFailure = 11050;

// The 278 bytes offered to the platform for one reply: the ICMP_ECHO_REPLY header (address,
// status, round-trip time in ms, ...) and then the data area that receives the echoed payload.
// Fields are in the machine's byte order, as the platform writes them.
struct EchoReplyRecord {
    std::array<unsigned char, kEchoReplySize> bytes{};

    static constexpr std::size_t kAddressOffset = 0;
    static constexpr std::size_t kStatusOffset = 4;
    static constexpr std::size_t kRoundTripTimeOffset = 8;
    static constexpr std::size_t kDataSizeOffset = 12;

    std::uint32_t address() const { return read<std::uint32_t>(kAddressOffset); }
    std::int32_t status() const { return read<std::int32_t>(kStatusOffset); }
    std::uint32_t roundTripTime() const { return read<std::uint32_t>(kRoundTripTimeOffset); }
    std::uint16_t dataSize() const { return read<std::uint16_t>(kDataSizeOffset); }

    void setAddress(std::uint32_t value) { write(kAddressOffset, value); }
    void setStatus(std::int32_t value) { write(kStatusOffset, value); }
    void setRoundTripTime(std::uint32_t value) { write(kRoundTripTimeOffset, value); }
    void setDataSize(std::uint16_t value) { write(kDataSizeOffset, value); }

private:
    template <typename T> T read(std::size_t offset) const {
        T value;
        std::memcpy(&value, bytes.data() + offset, sizeof value);
        return value;
    }
    template <typename T> void write(std::size_t offset, T value) {
        std::memcpy(bytes.data() + offset, &value, sizeof value);
    }
};

// What one echo came to, so that a caller can tell an answer of 0 ms from no answer at all.
enum class EchoOutcome {
    NotDotted,          // the address text is no dotted IPv4 address: nothing was sent
    ServiceUnavailable, // this machine cannot send echoes: nothing was sent
    NoReply,            // no answer from that address within kEchoTimeoutMs; the record says why
    Replied,            // the record holds the answer and its round-trip time
};

// Sends one echo request carrying payload to the dotted address and waits up to kEchoTimeoutMs
// for the answer from that address. The record is left as it was when nothing was sent. Where the
// platform's wait can be cut short, it stops once the caller no longer wants the answer.
EchoOutcome exchangeEcho(const std::string& address, const std::string& payload, EchoReplyRecord& record,
                         const StillWanted& wanted = {});

} // namespace velberd::net
