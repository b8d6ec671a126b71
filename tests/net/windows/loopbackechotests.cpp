#include "net/echo.h"
#include "net/session.h"

#include <gtest/gtest.h>

namespace velberd::net {
namespace {

TEST(ExchangeEcho, LoopbackAnswersInsideASession) {
    ASSERT_TRUE(startSocketLibrary());
    EchoReplyRecord record;
    const EchoOutcome outcome = exchangeEcho("127.0.0.1", "test", record);
    EXPECT_TRUE(stopSocketLibrary());
    if (outcome == EchoOutcome::ServiceUnavailable) GTEST_SKIP() << "this system's ICMP service cannot be opened";
    EXPECT_EQ(outcome, EchoOutcome::Replied);
    EXPECT_EQ(record.status(), kIpSuccess);
    EXPECT_LT(record.roundTripTime(), static_cast<std::uint32_t>(kEchoTimeoutMs));
}

} // namespace
} // namespace velberd::net
