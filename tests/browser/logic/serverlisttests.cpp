#include "browser/logic/serverlist.h"

#include <gtest/gtest.h>

namespace velberd {
namespace {

using Entries = std::vector<std::string>;

TEST(ParseReceivedBlock, KeepsUpToElevenLinesAndStopsAtTheFirstEmptyOneAfterLineZero) {
    std::string fifteen;
    for (int i = 0; i < 15; ++i)
        fifteen += "s" + std::to_string(i) + "\r\n";
    const auto entries = parseReceivedBlock(fifteen);
    ASSERT_EQ(entries.size(), 11u);
    EXPECT_EQ(entries.back(), "s10");

    EXPECT_EQ(parseReceivedBlock("a\r\nb\r\n\r\nd\r\n"), (Entries{"a", "b"}));
    EXPECT_EQ(parseReceivedBlock("\r\nb\r\nc\r\n"), (Entries{"b", "c"}));
    EXPECT_EQ(parseReceivedBlock("\r\n\r\nc\r\n"), Entries{});
    EXPECT_EQ(parseReceivedBlock(""), Entries{});
    EXPECT_EQ(parseReceivedBlock("a\r\nz"), (Entries{"a", "z"}));
}

TEST(ParseReceivedBlock, AnEleventhLineIsWholeEvenWithMoreBehindIt) {
    std::string block;
    for (int i = 0; i < 11; ++i)
        block += "line" + std::to_string(i) + "\r\n";
    block += "extra\r\nmore";
    const auto entries = parseReceivedBlock(block);
    ASSERT_EQ(entries.size(), 11u);
    EXPECT_EQ(entries[10], "line10");
}

TEST(DisplayName, IsTheTextAfterTheMarkerCutToItsPosition) {
    EXPECT_EQ(displayName("1.2.3.4:10052 local public 1 1.24   60 [1/32] Cool Server"), "Cool Server");
    EXPECT_EQ(displayName("[ABCDEFGHIJKLM] A name far longer than fifteen"), "A name far long");
    EXPECT_EQ(displayName("] x"), "x");
    EXPECT_EQ(displayName("no marker"), "");
    EXPECT_EQ(displayName("ends with marker] "), "");
}

TEST(DisplayName, AMarkerBeyondTheLastPositionGivesAnEmptyName) {
    std::string entry(32767, 'a');
    entry += "] name";
    EXPECT_EQ(displayName(entry), "");
}

} // namespace
} // namespace velberd
