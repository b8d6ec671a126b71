#include "browser/logic/probablehosts.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace velberd {
namespace {

TEST(ProbableHostsTable, FortyEightDistinctFilledRows) {
    const auto& table = probableHostsTable();
    EXPECT_EQ(table.size(), 48u);
    std::set<std::string_view> fragments;
    for (const auto& row : table) {
        SCOPED_TRACE(row.fragment);
        EXPECT_FALSE(row.fragment.empty());
        EXPECT_FALSE(row.hosts.empty());
        EXPECT_TRUE(fragments.insert(row.fragment).second) << "fragment listed twice";
    }
}

TEST(ProbableHostsTable, EveryRowCanMatch) {
    // A row whose fragment holds an earlier row's fragment would never be reached.
    for (const auto& row : probableHostsTable()) {
        SCOPED_TRACE(row.fragment);
        EXPECT_EQ(probableHosts("198-51-100-7." + std::string{row.fragment}), row.hosts);
    }
}

TEST(ProbableHosts, FragmentMustOccurFromPositionTwo) {
    EXPECT_EQ(probableHosts("polderweb.nl"), std::nullopt);
    EXPECT_EQ(probableHosts("polderweb.nl.polderweb.nl"), "Orbweaver");
    EXPECT_EQ(probableHosts("xpolderweb.nl"), "Orbweaver");
    // The specific row is skipped at position 1, but the provider's bare domain occurs later.
    EXPECT_EQ(probableHosts("dyn.harbourline.net"), "Turtlebreaker");
}

TEST(ProbableHosts, CaseSensitive) {
    EXPECT_EQ(probableHosts("c-198-51-100-7.DYN.HARBOURLINE.NET"), std::nullopt);
    EXPECT_EQ(probableHosts("c-198-51-100-7.Polderweb.nl"), std::nullopt);
}

TEST(ProbableHosts, EarlierRowWins) {
    EXPECT_EQ(probableHosts("203-0-113-8.static.harbourline.net"), "Quillfire or Mossgrin");
    EXPECT_EQ(probableHosts("mail.harbourline.net"), "Turtlebreaker");
    // Table order decides, not where in the name a fragment stands.
    EXPECT_EQ(probableHosts("a.polderweb.nl.lumiverkko.fi"), "Orbweaver");
    EXPECT_EQ(probableHosts("a.lumiverkko.fi.polderweb.nl"), "Orbweaver");
}

TEST(ProbableHosts, FailedLookupAndOddNamesMatchNothing) {
    EXPECT_EQ(probableHosts("Unknown"), std::nullopt);
    EXPECT_EQ(probableHosts(""), std::nullopt);
    EXPECT_EQ(probableHosts("x"), std::nullopt);
    EXPECT_EQ(probableHosts("192.0.2.5"), std::nullopt);
}

} // namespace
} // namespace velberd
