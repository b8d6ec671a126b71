#include "net/gameping.h"
#include "net/gamepingpacket.h"
#include "net/udpwait.h"
#include "standingameserver.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#ifdef _WIN32
#include <windows.h>
#else
#include "net/posix/stampedsocket.h"

#include <sys/socket.h>
#include <unistd.h>
#endif
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
    // Servers in the field take 1 to 6, in turn.
    for (int i = 0, last = gameping::nextSequence(); i < 12; ++i) {
        const int next = gameping::nextSequence();
        EXPECT_EQ(next, last % 6 + 1);
        last = next;
    }
}

TEST(GamePingPacket, AnAnswerIsSignedLongEnoughAndOfItsType) {
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
        {"another sequence byte", gameping::answer(8, 0x21), true},
        {"a request, not an answer", request, false},
        {"eight bytes", eightBytes, false},
        {"nothing", {}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(gameping::isAnswer(c.datagram), c.answers) << c.label;
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

// The connected socket hears of a closed port, so the ping ends at once instead of after its wait.
TEST(GamePing, ClosedPortIsNoReplyAtOnce) {
#ifdef _WIN32
    if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr)
        GTEST_SKIP() << "Wine tells a datagram socket nothing of a closed port: its wait runs its whole second";
#endif
    std::uint16_t closedPort = 0;
    {
        const StandInGameServer gone(StandInGameServer::Answer::Nothing);
        closedPort = gone.port();
    }
    const auto start = Clock::now();
    EXPECT_EQ(exchangeGamePing("127.0.0.1", closedPort, {}).outcome, GamePingOutcome::NoReply);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(kGamePingTimeoutMs));
}

// The round trip ends at the answer's arrival, not when a busy reader gets to it.
TEST(GamePing, RoundTripEndsAtTheArrival) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows gives no arrival time of a datagram: the time of reading stands for it";
#endif
#ifndef _WIN32
    // The kernel turns arrival stamps on for the whole system a moment after the first socket asks
    // for them, and stamps a datagram that comes before that at its reading: a socket of the test's
    // own keeps them on, and the stand-in answers late enough for them to be on.
    const int stamped = socket(AF_INET, SOCK_DGRAM, 0);
    posix::stampArrivals(stamped);
#endif
    const StandInGameServer server(StandInGameServer::Answer::Right, 30ms);
    const auto start = Clock::now();
    Clock::time_point answered;
    const auto result = pingStandIn(server, [&] {
        // The reader is busy until well after the answer has come.
        if (answered == Clock::time_point()) {
            while (server.answers() == 0 && Clock::now() - start < 2s)
                std::this_thread::yield();
            answered = Clock::now();
            std::this_thread::sleep_for(200ms);
        }
        return true;
    });
    EXPECT_EQ(result.outcome, GamePingOutcome::Answered);
    const auto late = std::chrono::duration_cast<std::chrono::milliseconds>(answered - start) + 100ms;
    EXPECT_LT(result.roundTripMs, static_cast<std::uint32_t>(late.count()));
#ifndef _WIN32
    close(stamped);
#endif
}

// However fast datagrams that are no answer come, the clock is looked at between bounded batches.
TEST(GamePing, EndlessFloodLeavesTheWaitToItsDeadline) {
    struct EndlessFlood final : UdpSocket {
        int waits = 0;
        int reads = 0;
        Wait waitReadable(Clock::time_point, const StillWanted&) override {
            return ++waits > 3 ? Wait::TimedOut : Wait::Readable;
        }
        Received receive(std::span<unsigned char>) override {
            // Ends a loop that never looks at the clock, so that the test fails rather than hangs.
            if (++reads > 1'000'000) return {};
            return {Read::Datagram, 3, 1};
        }
    } flood;
    EXPECT_EQ(awaitAnswer(flood, {}, {}, gameping::isAnswer).outcome, GamePingOutcome::NoReply);
    EXPECT_EQ(flood.reads, 3 * kDatagramsPerWake);
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
