#include "net/resolve.h"

#include <array>
#include <cstring>
#include <gtest/gtest.h>

namespace velberd::net {
namespace {

// The address as it lies in memory: network order, octets as written.
std::array<unsigned char, 4> octets(Address address) {
    std::array<unsigned char, 4> bytes;
    std::memcpy(bytes.data(), &address, bytes.size());
    return bytes;
}

using Octets = std::array<unsigned char, 4>;

TEST(AddressFromText, DottedTextIsParsedIntoNetworkOrder) {
    EXPECT_EQ(octets(addressFromText("127.0.0.1")), (Octets{127, 0, 0, 1}));
    EXPECT_EQ(octets(addressFromText("198.51.100.200")), (Octets{198, 51, 100, 200}));
    EXPECT_EQ(octets(addressFromText("0.0.0.0")), (Octets{0, 0, 0, 0}));
    // The dotted-quad parser's short form: the last part fills the remaining octets.
    EXPECT_EQ(octets(addressFromText("127.1")), (Octets{127, 0, 0, 1}));
}

TEST(AddressFromText, BroadcastAddressCannotBeToldFromFailure) {
    EXPECT_EQ(addressFromText("255.255.255.255"), kFailureAddress);
    EXPECT_EQ(addressFromText("255.255.255.254"), static_cast<Address>(0xFEFFFFFF));
}

TEST(AddressFromText, NameFromTheHostsFileResolves) {
    EXPECT_EQ(octets(addressFromText("localhost")), (Octets{127, 0, 0, 1}));
}

} // namespace
} // namespace velberd::net
