#include "browser/logic/playerstext.h"

#include <gtest/gtest.h>

namespace velberd {
namespace {

using net::GamePingOutcome;
using net::GameStatusResult;
using net::ServerStatus;

TEST(PlayersText, PlainNameDropsColourSwitchesAndControlBytesWithinItsBound) {
    EXPECT_EQ(plainName("|Lo|ri\x01\x7f\x85"), "Lori\x85");
    EXPECT_EQ(plainName(std::string(40, '|') + std::string(40, 'x')), std::string(kPlainNameBytes, 'x'));
}

TEST(PlayersText, ToolTipAndViewSayWhoPlays) {
    const ServerStatus plain{.version = "1.23", .players = 3, .limit = 8, .gameMode = 4};
    ServerStatus ctf{.version = "1.24", .extended = true, .players = 6, .limit = 16, .gameMode = 5, .customMode = 0};
    for (const char* name : {"|Al", "Bo", "Cy", "Di", "Ed", "Fy"})
        ctf.playerList.push_back({name, 3, 1, name[0] == 'F'});
    ctf.level = "|ctf.j2l";
    ServerStatus jailbreak = ctf;
    jailbreak.gameMode = 2;
    jailbreak.customMode = 12;
    jailbreak.idle = true;
    jailbreak.playerList.resize(1);
    jailbreak.playerListCut = true;
    ServerStatus roast = jailbreak;
    roast.customMode = 1;
    roast.playerListCut = false;
    ServerStatus hidden = roast;
    hidden.isPrivate = true;
    hidden.playerList.clear();
    hidden.level.reset();
    const auto answered = [](const ServerStatus& status) {
        return GameStatusResult{GamePingOutcome::Answered, status};
    };
    const std::string tsf = "TSF (extended server)";
    const struct {
        std::optional<GameStatusResult> answer;
        std::string toolTip;
        PlayersView view;
    } cases[] = {
        {answered(plain), "3 of 8 playing", {"3 of 8 playing", {}, "", "Treasure hunt", "1.23", ""}},
        {answered(ctf),
         "6 of 16 playing: Al, Bo, Cy, Di, Ed, ...",
         {"6 of 16 playing",
          {{"Al", "3", "Red", ""},
           {"Bo", "3", "Red", ""},
           {"Cy", "3", "Red", ""},
           {"Di", "3", "Red", ""},
           {"Ed", "3", "Red", ""},
           {"Fy", "3", "Red", "yes"}},
          "ctf.j2l",
          "Capture the flag",
          tsf,
          "Active"}},
        {answered(jailbreak),
         "6 of 16 playing: Al, ...",
         {"6 of 16 playing (the list is cut short)", {{"Al", "3", "Red", ""}}, "ctf.j2l", "Jailbreak", tsf, "Idle"}},
        {answered(roast),
         "6 of 16 playing: Al",
         {"6 of 16 playing", {{"Al", "3", "", ""}}, "ctf.j2l", "Roast tag", tsf, "Idle"}},
        {answered(hidden),
         "6 of 16 playing (the server keeps its players' names private)",
         {"The server keeps its players private.", {}, "", "Roast tag", tsf, "Idle"}},
        {GameStatusResult{GamePingOutcome::NoReply, ctf}, "", {.state = "The server has not answered."}},
        {std::nullopt, "", {.state = "Asking the server who is playing..."}},
    };
    for (const auto& c : cases) {
        if (!c.toolTip.empty()) {
            EXPECT_EQ(playersToolTip(c.answer->status), c.toolTip);
        }
        EXPECT_EQ(playersView(c.answer), c.view) << c.view.state;
    }
}

} // namespace
} // namespace velberd
