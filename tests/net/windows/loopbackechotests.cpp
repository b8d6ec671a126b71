#include "net/echo.h"
#include "net/session.h"

#include <gtest/gtest.h>

namespace velberd::net {
namespace {

TEST(SendEcho, LoopbackAnswersInsideASession) {
    ASSERT_TRUE(StartSocketLibrary());
    EchoReplyRecord record;
    const std::int32_t result = SendEcho("127.0.0.1", "test", record);
    EXPECT_TRUE(StopSocketLibrary());
    if (result == 0 && record.status() == 0 && record.address() == 0) {
        GTEST_SKIP() << "this system's ICMP service does not answer on loopback";
    }
    EXPECT_EQ(result, kIpSuccess);
    EXPECT_EQ(record.status(), kIpSuccess);
    EXPECT_LT(record.roundTripTime(), static_cast<std::uint32_t>(kEchoTimeoutMs));
}

} // namespace
} // namespace velberd::net
