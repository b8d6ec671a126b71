#include "net/echo.h"

#include <gtest/gtest.h>

namespace velberd::net {
namespace {

TEST(ExchangeEcho, RefusesWhatIsNotADottedAddressAndLeavesTheRecord) {
    // What the browser passes for a private server, for no server, for a host name, and the one
    // dotted address that equals the parser's failure value.
    for (const char* address : {"restricted", "x", "localhost", "255.255.255.255", "", "1.2.3.4.5", "1.2.3.x"}) {
        EchoReplyRecord record;
        record.bytes.fill(0x5A);
        const EchoReplyRecord before = record;
        EXPECT_EQ(exchangeEcho(address, "test", record), EchoOutcome::NotDotted) << address;
        EXPECT_EQ(record.bytes, before.bytes) << address;
    }
}

TEST(EchoReplyRecord, FieldsSitWhereTheWindowsHeaderHasThem) {
    EchoReplyRecord record;
    record.setStatus(kIpReqTimedOut);
    record.setRoundTripTime(40);
    EXPECT_EQ(record.bytes[4] | record.bytes[5] << 8, 11010);
    EXPECT_EQ(record.bytes[8], 40);
    EXPECT_EQ(record.status(), kIpReqTimedOut);
    EXPECT_EQ(record.roundTripTime(), 40u);
}

} // namespace
} // namespace velberd::net
