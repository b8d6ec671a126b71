#include "net/gameping.h"
#include "net/gamepingpacket.h"
#include "standingameserver.h"

#include <chrono>
#include <gtest/gtest.h>
#include <vector>

namespace velberd::net {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<unsigned char>;
using velberd::test::StandInGameServer;
using Clock = std::chrono::steady_clock;

TEST(GamePingPacket, RequestIsTwelveSignedBytes) {
    const auto request = gameping::request(0x42);
    // x = 1 + 3 + 0x42 + 0x32 + 0x34 + 0x20 + 0x20 = 0xEC; y, the sum of x after every byte, is 0x53.
    EXPECT_EQ(Bytes(request.begin(), request.end()), (Bytes{0xEC, 0x53, 0x03, 0x42, 0, 0, 0, 0, '2', '4', ' ', ' '}));
    EXPECT_EQ(gameping::requestSequence(request), 0x42);
}

TEST(GamePingPacket, OnlyTheAnswerToThisRequestIsOne) {
    const Bytes right = gameping::answer(7, 0x21);
    Bytes longer = right;
    longer.push_back(0x99);
    gameping::sign(longer);
    Bytes badChecksum = right;
    ++badChecksum[0];
    const auto sent = gameping::request(7);
    const Bytes request(sent.begin(), sent.end());
    Bytes eightBytes(right.begin(), right.end() - 1);
    gameping::sign(eightBytes);
    const struct {
        const char* label;
        Bytes datagram;
        bool answers;
    } cases[] = {
        {"the answer", right, true},
        {"an answer with more bytes", longer, true},
        {"a wrong checksum", badChecksum, false},
        {"another sequence byte", gameping::answer(8, 0x21), false},
        {"a request, not an answer", request, false},
        {"eight bytes", eightBytes, false},
        {"nothing", {}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gameping::isAnswer(c.datagram, 7), c.answers) << c.label;
}

// Loopback only: the stand-in listens on 127.0.0.1.
GamePingResult pingStandIn(const StandInGameServer& server, const StillWanted& wanted = {}) {
    return exchangeGamePing("127.0.0.1", server.port(), wanted);
}

TEST(GamePing, AnswerFromTheServerGivesItsRoundTrip) {
    const StandInGameServer server(StandInGameServer::Answer::Right, 40ms);
    const auto result = pingStandIn(server);
    EXPECT_EQ(result.outcome, GamePingOutcome::Answered);
    EXPECT_GE(result.roundTripMs, 40u);
    EXPECT_LT(result.roundTripMs, static_cast<std::uint32_t>(kGamePingTimeoutMs));
    EXPECT_EQ(server.requests(), 1);
}

// However many datagrams arrive that are no answer, the wait ends at its time-out.
TEST(GamePing, FloodIsDroppedAndTheWaitEndsInTime) {
    const StandInGameServer server(StandInGameServer::Answer::Flood);
    const auto start = Clock::now();
    EXPECT_EQ(pingStandIn(server).outcome, GamePingOutcome::NoReply);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(3 * kGamePingTimeoutMs));
}

TEST(GamePing, StopsWaitingOnceNotWanted) {
    const StandInGameServer server(StandInGameServer::Answer::Nothing);
    const auto start = Clock::now();
    const auto asked = start + 100ms;
    EXPECT_EQ(pingStandIn(server, [&] { return Clock::now() < asked; }).outcome, GamePingOutcome::NoReply);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(kGamePingTimeoutMs));
}

TEST(GamePing, NothingIsSentWithoutADottedAddress) {
    for (const char* address : {"restricted", "x", "localhost", "255.255.255.255", ""})
        EXPECT_EQ(exchangeGamePing(address, 10052, {}).outcome, GamePingOutcome::NotDotted) << address;
}

} // namespace
} // namespace velberd::net
