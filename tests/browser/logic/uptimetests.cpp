#include "browser/logic/uptime.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <utility>

namespace velberd {
namespace {

void expectFormats(std::initializer_list<std::pair<float, const char*>> cases) {
    for (const auto& [value, text] : cases) {
        SCOPED_TRACE(testing::Message() << "value " << value);
        EXPECT_EQ(formatUptime(value), text);
    }
}

TEST(FormatUptime, MinutesAndSeconds) {
    expectFormats({{0.0f, "0:00"},
                   {5.0f, "0:05"},
                   {30.0f, "0:30"},
                   {125.0f, "2:05"},
                   {119.7f, "2:00"},
                   {59.6f, "1:00"},
                   {3600.0f, "60:00"}});
}

TEST(FormatUptime, RoundsHalfAwayFromZeroAndCarriesSixty) {
    expectFormats({{0.4f, "0:00"},
                   {0.5f, "0:01"},
                   {2.5f, "0:03"},
                   {59.49f, "0:59"},
                   {59.5f, "1:00"},
                   {60.4f, "1:00"},
                   {89.5f, "1:30"},
                   {179.5f, "3:00"}});
}

TEST(FormatUptime, MinutesAreNeitherLimitedNorPadded) {
    expectFormats({{86400.0f, "1440:00"},
                   {1e9f, "16666666:40"},
                   {67108984.0f, "1118483:04"},
                   {std::numeric_limits<float>::max(), "5671372443975480996861736391408615424:00"}});
}

TEST(FormatUptime, NegativeAndNonFiniteValues) {
    expectFormats({{-5.0f, "-0:05"},
                   {-125.0f, "-2:05"},
                   {-0.4f, "0:00"},
                   {-0.0f, "0:00"},
                   {std::numeric_limits<float>::quiet_NaN(), "--:--"},
                   {std::numeric_limits<float>::infinity(), "--:--"},
                   {-std::numeric_limits<float>::infinity(), "--:--"}});
}

TEST(UptimeNumber, AcceptsWhatTheConversionAccepts) {
    const std::pair<const char*, float> cases[] = {
        {"   3600", 3600.0f}, {"\t42 ", 42.0f}, {"+5", 5.0f},
        {"-5", -5.0f},        {"1.5", 1.5f},    {".5", 0.5f},
        {"5.", 5.0f},         {"1e3", 1000.0f}, {"1E+3", 1000.0f},
        {"2.5e-1", 0.25f},    {"1D3", 1000.0f}, {"007", 7.0f},
        {"0.000", 0.0f},      {"1e-50", 0.0f},  {"3.4e38", 3.4e38f},
        {"119.7", 119.7f},    {"59.6", 59.6f},  {"000000000000000000000000000000000000000000000001", 1.0f},
    };
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(uptimeNumber(text), value);
    }
}

TEST(UptimeNumber, RefusesWhatIsNotANumber) {
    for (const char* text : {"", "   ", "n/a", "12abc", "1 2", "- 5", "1e", "1e+", ".", "+", "--5", "0x10", "inf",
                             "nan", "1,000", "1.2.3", "e5"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(uptimeNumber(text), std::nullopt);
    }
}

TEST(UptimeNumber, TooLargeForSinglePrecisionIsNotANumber) {
    EXPECT_EQ(uptimeNumber("3.5e38"), std::nullopt);
    EXPECT_EQ(uptimeNumber("1e39"), std::nullopt);
    EXPECT_EQ(uptimeNumber("-1e39"), std::nullopt);
    EXPECT_EQ(uptimeNumber("1e99999999999999999999"), std::nullopt);
    EXPECT_EQ(uptimeNumber("0.00001e99999999999999999999"), std::nullopt);
    EXPECT_EQ(uptimeNumber("1" + std::string(40, '0')), std::nullopt);
    EXPECT_EQ(uptimeNumber("1" + std::string(60, '0') + "e-30"), 1e30f);
    EXPECT_EQ(uptimeNumber("0." + std::string(60, '0') + "1e70"), 1e9f);
}

TEST(UptimeNumber, IsSinglePrecision) {
    // 59.4999999 is nearer to 59.5 than to any other float, so it shows a full minute.
    EXPECT_EQ(uptimeNumber("   59.4999999"), 59.5f);
    EXPECT_EQ(formatUptime(*uptimeNumber("   59.4999999")), "1:00");
    EXPECT_EQ(uptimeNumber("16777217"), 16777216.0f);
}

} // namespace
} // namespace velberd
