#include "browser/logic/pingreading.h"

#include <cstring>
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
    const char* caption;    // nullptr: nothing shown yet
    const char* measuredBy; // the way the tool tip names; nullptr when nothing was measured
};

const char* const kEcho = "ICMP echo";
const char* const kGame = "the game's own ping";

const Case kCases[] = {
    {"echo answered, game still out", kAnswered12, std::nullopt, "12 ms", kEcho},
    {"echo answered, game answered", kAnswered12, kAnswered40, "12 ms", kEcho},
    {"echo answered in 0 ms", Measurement{Result::Answered, 0}, kNoReply, "0 ms", kEcho},
    {"game answered, echo still out", std::nullopt, kAnswered40, nullptr, nullptr},
    {"echo silent, game still out", kNoReply, std::nullopt, nullptr, nullptr},
    {"echo silent, game answered", kNoReply, kAnswered40, "40 ms", kGame},
    {"no ICMP here, game answered", kCannotSend, kAnswered40, "40 ms", kGame},
    {"neither answered", kNoReply, kNoReply, "no reply", nullptr},
    {"no ICMP here, game silent", kCannotSend, kNoReply, "no reply", nullptr},
    {"echo silent, no game port", kNoReply, kNotSent, "no reply", nullptr},
    {"echo silent, game cannot be sent", kNoReply, kCannotSend, "no reply", nullptr},
    {"neither can be sent", kCannotSend, kCannotSend, "cannot ping", nullptr},
    {"no ICMP here, no game port", kCannotSend, kNotSent, "cannot ping", nullptr},
    {"a name or restricted: nothing to ping", kNotSent, std::nullopt, "no reply", nullptr},
};

// The echo's time wins; the game's ping measures what the echo cannot, and the tool tip names the
// way a time was measured.
TEST(ReadPing, TheEchoWinsAndTheGamePingMeasuresWhatItCannot) {
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.label);
        const auto reading = readPing(c.echo, c.game);
        ASSERT_EQ(reading.has_value(), c.caption != nullptr);
        if (!reading) continue;
        EXPECT_EQ(reading->caption, c.caption);
        const std::string measured = "measured with ";
        if (c.measuredBy)
            EXPECT_EQ(reading->toolTip.substr(0, measured.size() + std::strlen(c.measuredBy)), measured + c.measuredBy);
        else
            EXPECT_NE(reading->toolTip.rfind(measured, 0), 0u) << reading->toolTip;
    }
}

} // namespace
} // namespace velberd
