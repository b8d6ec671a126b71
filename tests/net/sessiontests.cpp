#include "net/netservices.h"
#include "net/resolve.h"
#include "net/session.h"

#include <gtest/gtest.h>

namespace velberd::net {
namespace {

#ifdef _WIN32
// Windows counts sessions: each start needs a cleanup of its own, and one cleanup more is refused.
TEST(SocketLibrary, SessionsNestAndACleanupTooManyIsRefused) {
    SystemNetServices services;
    EXPECT_FALSE(services.StopSocketLibrary());
    ASSERT_TRUE(services.StartSocketLibrary());
    ASSERT_TRUE(StartSocketLibrary());
    EXPECT_TRUE(StopSocketLibrary());
    EXPECT_TRUE(services.StopSocketLibrary());
    EXPECT_FALSE(StopSocketLibrary());
}
#endif

TEST(SystemNetServices, ReachesTheAddressParserTheEchoAndTheGamePing) {
    SystemNetServices system;
    NetServices& services = system;
    EXPECT_EQ(services.AddressFromText("127.0.0.2"), AddressFromText("127.0.0.2"));
    EXPECT_NE(services.AddressFromText("127.0.0.2"), kFailureAddress);
    EchoReplyRecord record;
    EXPECT_EQ(services.exchangeEcho("restricted", "test", record, {}), EchoOutcome::NotDotted);
    EXPECT_EQ(services.exchangeGamePing("restricted", 10052, {}).outcome, GamePingOutcome::NotDotted);
}

} // namespace
} // namespace velberd::net
