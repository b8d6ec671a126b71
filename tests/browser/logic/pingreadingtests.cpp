#include "browser/logic/pingreading.h"

#include <gtest/gtest.h>

namespace velberd {
namespace {

using Result = Measurement::Result;
using Maybe = std::optional<Measurement>;

constexpr Measurement kAnswered12{Result::Answered, 12};
constexpr Measurement kAnswered40{Result::Answered, 40};
constexpr Measurement kNoReply{Result::NoReply, 0};
constexpr Measurement kNotSent{Result::NotSent, 0};
constexpr Measurement kCannotSend{Result::CannotSend, 0};

struct Case {
    const char* label;
    Maybe echo;
    Maybe game;
    const char* caption; // nullptr: nothing shown yet
    const char* toolTip;
};

const Case kCases[] = {
    {"echo answered, game still out", kAnswered12, std::nullopt, "12 ms", "measured with ICMP echo"},
    {"echo answered, game answered", kAnswered12, kAnswered40, "12 ms", "measured with ICMP echo"},
    {"echo answered in 0 ms", Measurement{Result::Answered, 0}, kNoReply, "0 ms", "measured with ICMP echo"},
    {"game answered, echo still out", std::nullopt, kAnswered40, nullptr, nullptr},
    {"echo silent, game still out", kNoReply, std::nullopt, nullptr, nullptr},
    {"echo silent, game answered", kNoReply, kAnswered40, "40 ms",
     "measured with the game's own ping: ICMP echo got no answer within half a second"},
    {"no ICMP here, game answered", kCannotSend, kAnswered40, "40 ms",
     "measured with the game's own ping: this machine cannot send ICMP echo"},
    {"neither answered", kNoReply, kNoReply, "no reply", "neither ICMP echo nor the game's own ping was answered"},
    {"no ICMP here, game silent", kCannotSend, kNoReply, "no reply",
     "the game's own ping was not answered, and this machine cannot send ICMP echo"},
    {"echo silent, no game port", kNoReply, kNotSent, "no reply", "ICMP echo got no answer within half a second"},
    {"echo silent, game cannot be sent", kNoReply, kCannotSend, "no reply",
     "ICMP echo got no answer within half a second"},
    {"neither can be sent", kCannotSend, kCannotSend, "cannot ping",
     "this machine can send neither ICMP echo nor the game's own ping"},
    {"no ICMP here, no game port", kCannotSend, kNotSent, "cannot ping",
     "this machine can send neither ICMP echo nor the game's own ping"},
    {"a name or restricted: nothing to ping", kNotSent, std::nullopt, "no reply", ""},
};

TEST(ReadPing, TheEchoWinsAndTheGamePingMeasuresWhatItCannot) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.label);
        const auto reading = readPing(c.echo, c.game);
        ASSERT_EQ(reading.has_value(), c.caption != nullptr);
        if (!reading) continue;
        EXPECT_EQ(reading->caption, c.caption);
        EXPECT_EQ(reading->toolTip, c.toolTip);
    }
}

} // namespace
} // namespace velberd
