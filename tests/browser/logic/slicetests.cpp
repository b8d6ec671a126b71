#include "browser/logic/slice.h"

#include <gtest/gtest.h>

namespace velberd {
namespace {

TEST(Slice, PositionsCountFromOneAndASliceThatCannotBeTakenGivesNoValue) {
    EXPECT_EQ(positionOf("abcabc", "c"), 3);
    EXPECT_EQ(positionOf("abcabc", "c", 4), 6);
    EXPECT_EQ(positionOf("abc", "z"), 0);
    EXPECT_EQ(slice("abcdef", 2, 3), "bcd");
    EXPECT_EQ(slice("abc", 3, 10), "c");
    EXPECT_EQ(slice("abc", 9, 1), "");
    EXPECT_EQ(slice("abc", 0, 1), std::nullopt);
    EXPECT_EQ(slice("abc", 1, -1), std::nullopt);
    EXPECT_EQ(leftOf("abc", -1), std::nullopt);
    EXPECT_EQ(leftOf("abc", 5), "abc");
}

TEST(Slice, APositionPast32767DoesNotFit) {
    EXPECT_EQ(positionOf(std::string(32766, 'a') + "]", "]"), 32767);
    EXPECT_EQ(positionOf(std::string(32767, 'a') + "]", "]"), -1);
}

} // namespace
} // namespace velberd
