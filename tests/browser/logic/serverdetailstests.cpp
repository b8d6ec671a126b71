#include "browser/logic/serverdetails.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>

namespace velberd {
namespace {

using Text = std::optional<std::string>;

struct EntryCase {
    std::string label;
    std::string entry;
    std::string access;
    bool joinEnabled;
    std::string address;
    std::string serverName;
    Text lookupAddress;
    Text playerCount;
    Text version;
    std::string gameType;
    Text uptime;
};

void PrintTo(const EntryCase& entryCase, std::ostream* out) {
    *out << entryCase.entry;
}

const std::string kLongNameHead = "192.0.2.12:1 local public ctf 1.21   5 [1/8] ";

const EntryCase kEntries[] = {
    {"public_battle_tsf", "192.0.2.5:10052 local public battle 1.24   3600 [3/32] Carrot Arena", "public ", true,
     "192.0.2.5", "Carrot Arena", "192.0.2.5", "3/32", "TSF", "Battle", "60:00"},
    {"private_treasure", "198.51.100.20:10052 local private treasure 1.23   125 [1/16] Gem Hoard", "private", false,
     "restricted", "Gem Hoard", "198.51.100.20", "1/16", "1.23", "Treasure", "2:05"},
    {"mirror_ctf", "203.0.113.9:10054 mirror public ctf 1.21   59.6 [8/12] Flag Frenzy", "public ", true, "203.0.113.9",
     "Flag Frenzy", "203.0.113.9", "8/12", "1.21", "Capture", "1:00"},
    {"neither_word_reads_from_position_7", "203.0.113.40:10052 public coop 1.24   30 [2/4] Co-op Carrots",
     "113.40:", true, "203.0.113.40", "Co-op Carrots", "203.0.113.40", "2/4", "TSF", "x", "0:30"},
    {"no_colon", "192.0.2.77 local public battle 1.24   5 [0/32] Colonless", "public ", true, "x", "Colonless",
     std::nullopt, "0/32", "TSF", "Battle", "0:05"},
    {"no_three_spaces", "192.0.2.8:10052 local public battle 1.24 0 [4/32] Squashed", "public ", true, "192.0.2.8",
     "Squashed", "192.0.2.8", "4/32", std::nullopt, "Battle", std::nullopt},
    {"cut_before_players", "192.0.2.9:10052 local private battle 1.21   700", "private", false, "restricted", "",
     "192.0.2.9", std::nullopt, "1.21", "Battle", std::nullopt},
    {"non_numeric_uptime", "192.0.2.10:10052 local public treasure 1.23   n/a [6/16] Uptime Unknown", "public ", true,
     "192.0.2.10", "Uptime Unknown", "192.0.2.10", "6/16", "1.23", "Treasure", "   n/a"},
    {"battle_in_treasure_name", "192.0.2.11:10052 local public treasure 1.23   90 [2/16] The battle of Carrotus",
     "public ", true, "192.0.2.11", "The battle of Carrotus", "192.0.2.11", "2/16", "1.23", "Battle", "1:30"},
    {"name_longer_than_marker_position",
     kLongNameHead + "The Longest Running Capture The Flag Server On The Whole Carrot Planet Forever", "public ", true,
     "192.0.2.12", "The Longest Running Capture The Flag Server ", "192.0.2.12", "1/8", "1.21", "Capture", "0:05"},
    {"closing_bracket_without_opening", "192.0.2.13:10052 local public battle 1.24   60 3/32] Odd Brackets", "public ",
     true, "192.0.2.13", "Odd Brackets", "192.0.2.13", "192.0.2.13:10052 local public battle 1.24   60 3/32", "TSF",
     "Battle", std::nullopt},
    {"closing_bracket_before_opening", "192.0.2.14:10052 local public battle 1.24   61 ] [3/32] Stray", "public ", true,
     "192.0.2.14", "[3/32] Stray", "192.0.2.14", std::nullopt, "TSF", "Battle", "   61 ]"},
    {"fractional_uptime_private_tsf", "198.51.100.3:10052 local private battle 1.24   119.7 [12/32] Jazz Hall",
     "private", false, "restricted", "Jazz Hall", "198.51.100.3", "12/32", "TSF", "Battle", "2:00"},
    {"empty_entry", "", "", true, "x", "", std::nullopt, std::nullopt, std::nullopt, "x", std::nullopt},
};

class RealisticEntry : public testing::TestWithParam<EntryCase> {};

TEST_P(RealisticEntry, GivesEveryField) {
    const auto& expected = GetParam();
    const auto details = readServerDetails(expected.entry);
    EXPECT_EQ(details.header.access, expected.access);
    EXPECT_EQ(details.header.joinEnabled, expected.joinEnabled);
    EXPECT_EQ(details.header.address, expected.address);
    EXPECT_EQ(details.header.serverName, expected.serverName);
    EXPECT_EQ(details.lookupAddress, expected.lookupAddress);
    EXPECT_EQ(details.playerCount, expected.playerCount);
    EXPECT_EQ(details.version, expected.version);
    EXPECT_EQ(details.gameType, expected.gameType);
    EXPECT_EQ(details.uptime, expected.uptime);
}

INSTANTIATE_TEST_SUITE_P(ServerDetails, RealisticEntry, testing::ValuesIn(kEntries),
                         [](const testing::TestParamInfo<EntryCase>& param) { return param.param.label; });

TEST(ServerDetails, GameTypeFromTheThreeWordsThenTheModeWord) {
    const std::pair<std::string, std::string> cases[] = {
        {"10.0.0.5:10052 local public race 1.24   31 [2/4] Speed Run", "Race"},
        {"10.0.0.5:10052 local private coop 1.23   31 [2/4] Friends", "Coop"},
        {"10.0.0.5:10052 mirror public headhunters 1.24   31 [2/4] Heads", "Headhunters"},
        {"10.0.0.5:10052 local public tEAM 1.24   31 [2/4] As sent", "TEAM"},
        {"10.0.0.5:10052 local public roasttag", "Roasttag"},
        {"10.0.0.5:10052 local public race 1.24   31 [2/4] a battle royale", "Battle"},
        {"10.0.0.5:10052 local public race 1.24   31 [2/4] treasure ctf ", "Treasure"},
        {"x Battle CTF  Treasure ", "x"},
        {" battle at the very start", "x"},
        {"10.0.0.5:10052 local public 1 1.24   5 [1/2] Odd", "x"},
        {"10.0.0.5:10052 local public race, 1.24   5 [1/2] Comma", "x"},
        {"10.0.0.5:10052 local public r\xe9union 1.24   5 [1/2] Accent", "x"},
        {"10.0.0.5:10052 local privatecoop 1.24   5 [1/2] Joined", "x"},
        {"10.0.0.5:10052 local pub", "x"},
        {"", "x"},
    };
    for (const auto& [entry, gameType] : cases) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(readServerDetails(entry).gameType, gameType);
    }
    for (const char* mode : {"lrs", "teambattle", "deathctf", "jailbreak", "flagrun", "domination", "pestilence",
                             "xlrs", "tlrs", "unknown"}) {
        std::string shown = mode;
        shown[0] = static_cast<char>(shown[0] - 'a' + 'A');
        EXPECT_EQ(readServerDetails(std::string("10.0.0.5:10052 local public ") + mode + " 1.24   5 [1/2] S").gameType,
                  shown);
    }
}

TEST(ServerDetails, VersionNeedsFourCharactersBeforeTheSpaces) {
    EXPECT_EQ(readServerDetails(".24   3600 [1/2] Short").version, std::nullopt);
    EXPECT_EQ(readServerDetails(".24   3600 [1/2] Short").uptime, "60:00");
    EXPECT_EQ(readServerDetails("1.24   3600 [1/2] Short").version, "TSF");
    EXPECT_EQ(readServerDetails("x1.22   3600 [1/2] Short").version, "1.22");
}

TEST(ServerDetails, GamePathFollowsTheVersionShown) {
    EXPECT_EQ(gamePathIndexForVersion("TSF"), 1);
    for (const char* classic : {"1.21", "1.22", "1.23"})
        EXPECT_EQ(gamePathIndexForVersion(classic), 0) << classic;
    for (const char* other : {"1.24", "1.20", "1.2", "x", ""})
        EXPECT_EQ(gamePathIndexForVersion(other), std::nullopt) << other;
}

TEST(ServerDetails, GamePortIsTheNumberAfterTheFirstColon) {
    const std::pair<std::string, std::optional<std::uint16_t>> cases[] = {
        {"192.0.2.5:10052 local public battle 1.24   5 [1/2] S", 10052},
        {"192.0.2.5:1 local", 1},
        {"192.0.2.5:65535", 65535},
        {"192.0.2.5:65536 local", std::nullopt},
        {"192.0.2.5:99999999999999999999 local", std::nullopt},
        {"192.0.2.5:0 local", std::nullopt},
        {"192.0.2.5: 10052 local", std::nullopt},
        {"192.0.2.5:x10052", std::nullopt},
        {"192.0.2.5 local public battle 1.24   5 [1/2] 12:30", 30},
        {"192.0.2.5 local public", std::nullopt},
    };
    for (const auto& [entry, port] : cases)
        EXPECT_EQ(gamePort(entry), port) << entry;
}

} // namespace
} // namespace velberd
