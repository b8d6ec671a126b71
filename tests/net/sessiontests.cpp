#include "net/netservices.h"
#include "net/session.h"

#include <gtest/gtest.h>

namespace velberd::net {
namespace {

#ifdef _WIN32
// Windows counts sessions: each start needs a cleanup of its own, and one cleanup more is refused.
TEST(SocketLibrary, SessionsNestAndACleanupTooManyIsRefused) {
    SystemNetServices services;
    EXPECT_FALSE(services.stopSocketLibrary());
    ASSERT_TRUE(services.startSocketLibrary());
    ASSERT_TRUE(startSocketLibrary());
    EXPECT_TRUE(stopSocketLibrary());
    EXPECT_TRUE(services.stopSocketLibrary());
    EXPECT_FALSE(stopSocketLibrary());
}
#endif

TEST(SystemNetServices, ReachesTheEchoAndTheGamePing) {
    SystemNetServices system;
    NetServices& services = system;
    EchoReplyRecord record;
    EXPECT_EQ(services.exchangeEcho("restricted", "test", record, {}), EchoOutcome::NotDotted);
    EXPECT_EQ(services.exchangeGamePing("restricted", 10052, {}).outcome, GamePingOutcome::NotDotted);
}

} // namespace
} // namespace velberd::net
