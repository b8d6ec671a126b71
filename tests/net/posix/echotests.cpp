#include "net/echo.h"
#include "sandbox/nsrun.h"
#include "sandbox/responder.h"
#include "sandbox/testnetwork.h"

#include <arpa/inet.h>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace velberd::net {
namespace {

using namespace sandbox;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Outcome {
    EchoOutcome outcome;
    EchoReplyRecord record;
    long long wallMs;
    long long requestsSent; // echo requests that left this namespace during the call
};

// The namespace's count of echo requests sent, from /proc/net/snmp.
long long echoRequestsSent() {
    std::ifstream snmp("/proc/net/snmp");
    std::string names;
    std::string values;
    while (std::getline(snmp, names) && std::getline(snmp, values)) {
        if (names.rfind("Icmp:", 0) != 0) continue;
        std::istringstream nameIn(names);
        std::istringstream valueIn(values);
        std::string name;
        std::string value;
        while (nameIn >> name && valueIn >> value) {
            if (name == "OutEchos") return std::stoll(value);
        }
    }
    return -1;
}

Outcome echo(const std::string& address, const std::string& payload = "test", unsigned char fill = 0) {
    Outcome outcome{};
    outcome.record.bytes.fill(fill);
    const long long before = echoRequestsSent();
    const auto start = Clock::now();
    outcome.outcome = exchangeEcho(address, payload, outcome.record);
    outcome.wallMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    outcome.requestsSent = echoRequestsSent() - before;
    return outcome;
}

// A reply counts only within the half-second time-out, so its round trip is under a second on
// any machine, however busy; how close it comes to the delay is the echo benchmark's to measure.
constexpr std::uint32_t kWithinTheTimeOutMs = 1000;

// A reply after a set delay: its round trip in whole ms is never below the delay.
void expectDelayed(const Outcome& outcome, std::uint32_t delayMs) {
    EXPECT_EQ(outcome.outcome, EchoOutcome::Replied);
    EXPECT_EQ(outcome.record.status(), kIpSuccess);
    EXPECT_GE(outcome.record.roundTripTime(), delayMs);
    EXPECT_LT(outcome.record.roundTripTime(), kWithinTheTimeOutMs);
}

std::string dataOf(const EchoReplyRecord& record) {
    return std::string(reinterpret_cast<const char*>(record.bytes.data()) + kEchoHeaderSize, record.dataSize());
}

class Echo : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_network = TestNetwork::create(s_whyNot); }
    static void TearDownTestSuite() { s_network.reset(); }
    void SetUp() override {
        if (!s_network) GTEST_SKIP() << "no test network: " << s_whyNot;
        s_network->setPingGroupRange("1 0");
    }
    Outcome inClient(RunAs as, const std::function<Outcome()>& work) {
        return runInNamespaceFor<Outcome>(s_network->client(), as, work);
    }

    static inline std::unique_ptr<TestNetwork> s_network;
    static inline std::string s_whyNot;
};

TEST_F(Echo, LiveHostAnswersWithStatusZeroAndATime) {
    for (const char* address : {kPeerAddress, "127.0.0.1"}) {
        const Outcome outcome = inClient(RunAs::Root, [&] { return echo(address); });
        EXPECT_EQ(outcome.outcome, EchoOutcome::Replied) << address;
        EXPECT_EQ(outcome.record.status(), kIpSuccess) << address;
        EXPECT_LT(outcome.record.roundTripTime(), kWithinTheTimeOutMs) << address;
        EXPECT_EQ(outcome.record.address(), inet_addr(address)) << address;
        EXPECT_EQ(dataOf(outcome.record), "test") << address;
        EXPECT_EQ(outcome.requestsSent, 1) << address;
    }
}

TEST_F(Echo, SilentHostTimesOutAfterHalfASecond) {
    const Outcome outcome = inClient(RunAs::Root, [] { return echo(kQuietAddress); });
    EXPECT_EQ(outcome.outcome, EchoOutcome::NoReply);
    EXPECT_EQ(outcome.record.status(), kIpReqTimedOut);
    EXPECT_EQ(outcome.record.roundTripTime(), 0u);
    EXPECT_GE(outcome.wallMs, 500);
    EXPECT_LT(outcome.wallMs, 2000);
    EXPECT_EQ(outcome.requestsSent, 1);
}

TEST_F(Echo, OnlyTheAnswerFromTheTargetIsTaken) {
    // The decoys arrive at once: replies with the next sequence number, with another payload and
    // from another address, and the request itself, which a raw socket sees like any packet.
    const DelayedResponder responder(s_network->quiet(), 40ms, true);
    const Outcome outcome = inClient(RunAs::Root, [] { return echo(kQuietAddress); });
    expectDelayed(outcome, 40);
    EXPECT_EQ(outcome.record.address(), inet_addr(kQuietAddress));
    EXPECT_EQ(dataOf(outcome.record), "test");
}

TEST_F(Echo, RefusedAddressesSendNothing) {
    const Outcome outcome = inClient(RunAs::Root, [] {
        Outcome all{};
        all.outcome = EchoOutcome::NotDotted;
        for (const char* address : {"restricted", "x", kPeerName, "255.255.255.255"}) {
            const Outcome one = echo(address, "test", 0x5A);
            if (one.outcome != EchoOutcome::NotDotted) all.outcome = one.outcome;
            if (one.record.status() != 0x5A5A5A5A) all.record = one.record;
            all.requestsSent += one.requestsSent;
        }
        return all;
    });
    EXPECT_EQ(outcome.outcome, EchoOutcome::NotDotted);
    EXPECT_EQ(outcome.record.status(), 0);
    EXPECT_EQ(outcome.requestsSent, 0);
}

TEST_F(Echo, PayloadMustLeaveRoomInTheReplyBuffer) {
    const Outcome fits = inClient(RunAs::Root, [] { return echo(kPeerAddress, std::string(242, 'p')); });
    EXPECT_EQ(fits.outcome, EchoOutcome::Replied);
    EXPECT_EQ(dataOf(fits.record), std::string(242, 'p'));
    const Outcome tooLong = inClient(RunAs::Root, [] { return echo(kPeerAddress, std::string(243, 'p')); });
    EXPECT_EQ(tooLong.outcome, EchoOutcome::NoReply);
    EXPECT_EQ(tooLong.record.status(), kIpBufTooSmall);
    EXPECT_EQ(tooLong.requestsSent, 0);
}

TEST_F(Echo, UnprivilegedUserEchoesThroughAPingSocket) {
    s_network->setPingGroupRange("65534 65534");
    const DelayedResponder responder(s_network->quiet(), 40ms, true);
    const Outcome peer = inClient(RunAs::Nobody, [] { return echo(kPeerAddress); });
    EXPECT_EQ(peer.outcome, EchoOutcome::Replied);
    EXPECT_EQ(peer.record.address(), inet_addr(kPeerAddress));
    EXPECT_EQ(peer.requestsSent, 1);
    const Outcome delayed = inClient(RunAs::Nobody, [] { return echo(kQuietAddress); });
    expectDelayed(delayed, 40);
    EXPECT_EQ(delayed.record.address(), inet_addr(kQuietAddress));
    EXPECT_EQ(dataOf(delayed.record), "test");
}

TEST_F(Echo, WithoutPingOrRawSocketTheServiceCannotBeOpened) {
    const Outcome outcome =
        runInNamespaceFor<Outcome>(s_network->client(), RunAs::Nobody, [] { return echo(kPeerAddress, "test", 0x5A); });
    EXPECT_EQ(outcome.outcome, EchoOutcome::ServiceUnavailable);
    EXPECT_EQ(outcome.record.status(), 0x5A5A5A5A);
    EXPECT_EQ(outcome.requestsSent, 0);
}

TEST_F(Echo, ConcurrentEchoesEachGetTheirOwnReply) {
    const DelayedResponder responder(s_network->quiet(), 40ms);
    struct Pair {
        Outcome slow;
        Outcome fast;
    };
    const Pair both = runInNamespaceFor<Pair>(s_network->client(), RunAs::Root, [] {
        Pair pair{};
        std::thread slow([&] { pair.slow = echo(kQuietAddress); });
        std::this_thread::sleep_for(5ms);
        pair.fast = echo(kPeerAddress);
        slow.join();
        return pair;
    });
    expectDelayed(both.slow, 40);
    EXPECT_EQ(both.fast.outcome, EchoOutcome::Replied);
    EXPECT_EQ(both.fast.record.address(), inet_addr(kPeerAddress));
}

} // namespace
} // namespace velberd::net
