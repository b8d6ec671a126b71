#include "browser/logic/probablehosts.h"

#include <gtest/gtest.h>
#include <string>

namespace velberd {
namespace {

TEST(ProbableHosts, EveryRowIsReachable) {
    // A row whose fragment holds an earlier row's fragment would never be reached.
    for (const auto& [fragment, hosts] : probableHostsTable())
        EXPECT_EQ(probableHosts("198-51-100-7." + std::string{fragment}), hosts) << fragment;
}

TEST(ProbableHosts, FirstRowFromPositionTwoCaseSensitively) {
    const std::pair<const char*, std::optional<std::string>> rows[] = {
        {"polderweb.nl", std::nullopt},
        {"polderweb.nl.polderweb.nl", "Orbweaver"},
        {"xpolderweb.nl", "Orbweaver"},
        // The specific row is skipped at position 1, but the provider's bare domain occurs later.
        {"dyn.harbourline.net", "Turtlebreaker"},
        {"c-198-51-100-7.dyn.harbourline.net", "Carrotbane"},
        {"c-198-51-100-7.DYN.HARBOURLINE.NET", std::nullopt},
        {"c-198-51-100-7.Polderweb.nl", std::nullopt},
        // The table's order decides, not where in the name a fragment stands.
        {"a.polderweb.nl.lumiverkko.fi", "Orbweaver"},
        {"a.lumiverkko.fi.polderweb.nl", "Orbweaver"},
        {"Unknown", std::nullopt},
        {"", std::nullopt},
        {"192.0.2.5", std::nullopt},
    };
    for (const auto& [hostName, hosts] : rows)
        EXPECT_EQ(probableHosts(hostName), hosts) << hostName;
}

} // namespace
} // namespace velberd
