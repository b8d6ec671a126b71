#include "net/netservices.h"
#include "net/resolve.h"
#include "net/session.h"

#include <gtest/gtest.h>

namespace velberd::net {
namespace {

TEST(SocketLibrary, SessionsOpenCloseAndNest) {
    ASSERT_TRUE(StartSocketLibrary());
    ASSERT_TRUE(StartSocketLibrary());
    EXPECT_TRUE(StopSocketLibrary());
    EXPECT_TRUE(StopSocketLibrary());
}

#ifdef _WIN32
TEST(SocketLibrary, EndingASessionThatWasNeverOpenedIsReported) {
    EXPECT_FALSE(StopSocketLibrary());
}
#endif

TEST(SystemNetServices, ReachesThePlatformOperations) {
    SystemNetServices system;
    NetServices& services = system;
    ASSERT_TRUE(services.StartSocketLibrary());
    EXPECT_EQ(services.AddressFromText("127.0.0.2"), AddressFromText("127.0.0.2"));
    EXPECT_NE(services.AddressFromText("127.0.0.2"), kFailureAddress);
    EXPECT_EQ(services.AddressFromText("255.255.255.255"), kFailureAddress);
    EchoReplyRecord record;
    EXPECT_EQ(services.SendEcho("restricted", "test", record), -1);
    EXPECT_TRUE(services.StopSocketLibrary());
}

} // namespace
} // namespace velberd::net
