#include "browser/logic/entryheader.h"

#include <gtest/gtest.h>
#include <string>

namespace velberd {
namespace {

void expectSameHeader(const EntryHeader& actual, const EntryHeader& expected) {
    EXPECT_EQ(actual.access, expected.access);
    EXPECT_EQ(actual.joinEnabled, expected.joinEnabled);
    EXPECT_EQ(actual.address, expected.address);
    EXPECT_EQ(actual.serverName, expected.serverName);
}

TEST(EntryHeader, MirrorReadsLikeLocal) {
    for (const char* access : {"public ", "private"}) {
        SCOPED_TRACE(access);
        const std::string tail = std::string{access} + " battle 1.24   60 [1/8] Twin Peaks";
        expectSameHeader(readEntryHeader("192.0.2.30:10052 mirror " + tail),
                         readEntryHeader("192.0.2.30:10052 local " + tail));
    }
}

TEST(EntryHeader, NoSelectionReadsTheEmptyText) {
    const auto header = readEntryHeader("");
    EXPECT_EQ(header.access, "");
    EXPECT_TRUE(header.joinEnabled);
    EXPECT_EQ(header.address, "x");
    EXPECT_EQ(header.serverName, "");
    EXPECT_EQ(readEntryHeader(":10052 local public race 1.24   5 [1/2] Nameless").address, "x");
}

TEST(EntryHeader, AccessFieldShorterWhereTheEntryEnds) {
    const auto header = readEntryHeader("192.0.2.31:10052 local pub");
    EXPECT_EQ(header.access, "pub");
    EXPECT_TRUE(header.joinEnabled);
    EXPECT_EQ(header.address, "192.0.2.31");
}

TEST(EntryHeader, PrivateIsTheLastCharacterE) {
    const auto header = readEntryHeader("192.0.2.32 local privatE [1/2] Odd case");
    EXPECT_EQ(header.access, "privatE");
    EXPECT_TRUE(header.joinEnabled);
    EXPECT_EQ(header.address, "x");

    const auto other = readEntryHeader("192.0.2.33:1 local xxxxxxe [1/2] Odd end");
    EXPECT_FALSE(other.joinEnabled);
    EXPECT_EQ(other.address, "restricted");
}

TEST(EntryHeader, WordBeyondSixteenBitPositionsGivesNoAccessField) {
    const std::string entry = "192.0.2.34:1 " + std::string(40000, 'a') + " local private [1/2] Far";
    const auto header = readEntryHeader(entry);
    EXPECT_EQ(header.access, "");
    EXPECT_TRUE(header.joinEnabled);
    EXPECT_EQ(header.address, "192.0.2.34");
}

} // namespace
} // namespace velberd
