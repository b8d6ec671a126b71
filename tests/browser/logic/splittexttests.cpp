#include "browser/logic/splittext.h"

#include <gtest/gtest.h>

namespace velberd {
namespace {

using Pieces = std::vector<std::string>;

TEST(SplitText, CutsAtEveryDelimiter) {
    EXPECT_EQ(splitText("", "\r\n"), Pieces{});
    EXPECT_EQ(splitText("no delimiter here", "\r\n"), Pieces{"no delimiter here"});
    EXPECT_EQ(splitText("z", "\r\n"), Pieces{"z"});
    EXPECT_EQ(splitText("line\r\nz", "\r\n"), (Pieces{"line", "z"}));
}

TEST(SplitText, LeadingAndAdjacentDelimitersGiveEmptyPieces) {
    EXPECT_EQ(splitText("\r\nline", "\r\n"), (Pieces{"", "line"}));
    EXPECT_EQ(splitText("one\r\n\r\ntwo", "\r\n"), (Pieces{"one", "", "two"}));
    EXPECT_EQ(splitText("\r\n\r\n", "\r\n"), (Pieces{"", ""}));
}

TEST(SplitText, TrailingDelimiterGivesNoEmptyLastPiece) {
    EXPECT_EQ(splitText("line\r\n", "\r\n"), Pieces{"line"});
    EXPECT_EQ(splitText("a\r\nb\r\n", "\r\n"), (Pieces{"a", "b"}));
}

TEST(SplitText, LoneCrOrLfIsNotALineEnd) {
    EXPECT_EQ(splitText("a\rb\nc\r\nd", "\r\n"), (Pieces{"a\rb\nc", "d"}));
    EXPECT_EQ(splitText("a\r\r\nb", "\r\n"), (Pieces{"a\r", "b"}));
    EXPECT_EQ(splitText("aXbxc", "x"), (Pieces{"aXb", "c"}));
}

TEST(SplitText, PositiveLimitLeavesTheRestInTheLastPiece) {
    EXPECT_EQ(splitText("a,b,c,d", ",", 2), (Pieces{"a", "b,c,d"}));
    EXPECT_EQ(splitText("a,b", ",", 5), (Pieces{"a", "b"}));
    EXPECT_EQ(splitText("a,b", ",", 0), Pieces{});
}

TEST(SplitText, EmptyDelimiterEndsWithTheWholeText) {
    EXPECT_EQ(splitText("abc", ""), Pieces{"abc"});
}

TEST(SplitText, ManyPiecesAreAllKept) {
    std::string text;
    for (int i = 0; i < 250; ++i)
        text += std::to_string(i) + "\r\n";
    const auto pieces = splitText(text, "\r\n");
    ASSERT_EQ(pieces.size(), 250u);
    EXPECT_EQ(pieces.front(), "0");
    EXPECT_EQ(pieces[199], "199");
    EXPECT_EQ(pieces.back(), "249");
}

} // namespace
} // namespace velberd
