#include "net/posix/icmppacket.h"

#include <gtest/gtest.h>

namespace velberd::net::icmp {
namespace {

using Bytes = std::vector<unsigned char>;

TEST(InternetChecksum, MatchesTheWorkedExamplesAndVerifiesToZero) {
    // RFC 1071's example words sum to 0xDDF2.
    EXPECT_EQ(internetChecksum(Bytes{0x00, 0x01, 0xF2, 0x03, 0xF4, 0xF5, 0xF6, 0xF7}), 0x220D);
    // An odd last byte counts as the high byte of a word.
    EXPECT_EQ(internetChecksum(Bytes{0x01}), 0xFEFF);
    // Carries fold back in.
    EXPECT_EQ(internetChecksum(Bytes{0xFF, 0xFF, 0x00, 0x01}), 0xFFFE);
    const Bytes message = buildEcho(kEchoRequestType, 0x1234, 0xABCD, "test");
    EXPECT_EQ(internetChecksum(message), 0);
}

TEST(BuildEcho, WritesTypeIdSequenceAndPayloadInNetworkOrder) {
    const Bytes message = buildEcho(kEchoRequestType, 0x1234, 0xABCD, "test");
    ASSERT_EQ(message.size(), 12u);
    EXPECT_EQ(message[0], 8);
    EXPECT_EQ(message[1], 0);
    EXPECT_EQ(message[4], 0x12);
    EXPECT_EQ(message[5], 0x34);
    EXPECT_EQ(message[6], 0xAB);
    EXPECT_EQ(message[7], 0xCD);
    EXPECT_EQ(std::string(message.begin() + 8, message.end()), "test");
}

Bytes withIpHeader(const Bytes& icmp, int headerWords) {
    Bytes packet(static_cast<std::size_t>(headerWords) * 4, 0);
    packet[0] = static_cast<unsigned char>(0x40 | headerWords);
    packet.insert(packet.end(), icmp.begin(), icmp.end());
    return packet;
}

TEST(ParseEcho, ReadsRepliesWithAndWithoutTheIpHeader) {
    const Bytes reply = buildEcho(kEchoReplyType, 7, 9, "test");
    for (const auto& [packet, raw] :
         {std::pair{reply, false}, std::pair{withIpHeader(reply, 5), true}, std::pair{withIpHeader(reply, 6), true}}) {
        const auto message = parseEcho(packet, raw);
        ASSERT_TRUE(message);
        EXPECT_EQ(message->type, kEchoReplyType);
        EXPECT_EQ(message->id, 7);
        EXPECT_EQ(message->sequence, 9);
        EXPECT_EQ(message->payload, "test");
    }
}

TEST(ParseEcho, RejectsWhatIsNoEchoMessage) {
    const Bytes reply = buildEcho(kEchoReplyType, 7, 9, "test");
    Bytes unreachable = reply;
    unreachable[0] = 3;
    Bytes withCode = reply;
    withCode[1] = 1;
    EXPECT_FALSE(parseEcho(unreachable, false));
    EXPECT_FALSE(parseEcho(withCode, false));
    EXPECT_FALSE(parseEcho(Bytes(reply.begin(), reply.begin() + 7), false));
    EXPECT_FALSE(parseEcho(reply, true)) << "an ICMP message read as if it began with an IP header";
    EXPECT_FALSE(parseEcho(withIpHeader(reply, 4), true)) << "header length below the minimum";
    EXPECT_FALSE(parseEcho(withIpHeader(Bytes{}, 15), true)) << "header longer than the packet";
    Bytes ipv6 = withIpHeader(reply, 5);
    ipv6[0] = 0x65;
    EXPECT_FALSE(parseEcho(ipv6, true));
}

} // namespace
} // namespace velberd::net::icmp
