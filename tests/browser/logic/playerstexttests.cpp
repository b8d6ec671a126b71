#include "browser/logic/playerstext.h"

#include <gtest/gtest.h>

namespace velberd {
namespace {

using net::ServerStatus;
using Result = net::GameStatusResult;
using enum net::GamePingOutcome;

TEST(PlayersText, PlainNameDropsColourSwitchesAndControlBytesWithinItsBound) {
    EXPECT_EQ(plainName("|Lo|ri\x01\x7f\x85"), "Lori\x85");
    EXPECT_EQ(plainName(std::string(40, '|') + std::string(40, 'x')), std::string(kPlainNameBytes, 'x'));
}

TEST(PlayersText, ToolTipAndViewSayWhoPlays) {
    const ServerStatus plain{.version = "1.23", .players = 3, .limit = 8, .gameMode = 4};
    ServerStatus ctf{.version = "1.24", .extended = true, .players = 6, .limit = 16, .gameMode = 5, .level = "|a.j2l"};
    ctf.playerList = {{"|Al", 3, 1, false}, {"Bo", 0, 2, true}};
    ServerStatus crowd = ctf;
    crowd.playerList.resize(6, {"Cy", 1, 0, false});
    ServerStatus roast = ctf;
    roast.gameMode = 2;
    roast.customMode = 1;
    roast.idle = true;
    ServerStatus jailbreak = roast; // a team mode whatever the game mode
    jailbreak.customMode = 12;
    jailbreak.playerListCut = true;
    ServerStatus hidden = roast;
    hidden.isPrivate = true;
    const std::string tsf = "TSF (extended server)";
    const std::vector<std::array<std::string, 4>> teams = {{"Al", "3", "Red", ""}, {"Bo", "0", "Green", "yes"}};
    const std::vector<std::array<std::string, 4>> noTeams = {{"Al", "3", "", ""}, {"Bo", "0", "", "yes"}};
    const struct {
        std::optional<Result> answer;
        std::string toolTip;
        std::optional<PlayersView> view;
    } cases[] = {
        {Result{Answered, plain}, "3 of 8 playing", PlayersView{"3 of 8 playing", {}, "", "Treasure hunt", "1.23", ""}},
        {Result{Answered, ctf}, "6 of 16 playing: Al, Bo",
         PlayersView{"6 of 16 playing", teams, "a.j2l", "Capture the flag", tsf, "Active"}},
        {Result{Answered, crowd}, "6 of 16 playing: Al, Bo, Cy, Cy, Cy, ...", std::nullopt},
        {Result{Answered, jailbreak}, "6 of 16 playing: Al, Bo, ...",
         PlayersView{"6 of 16 playing (the list is cut short)", teams, "a.j2l", "Jailbreak", tsf, "Idle"}},
        {Result{Answered, roast}, "6 of 16 playing: Al, Bo",
         PlayersView{"6 of 16 playing", noTeams, "a.j2l", "Roast tag", tsf, "Idle"}},
        {Result{Answered, hidden}, "6 of 16 playing (the server keeps its players' names private)",
         PlayersView{"The server keeps its players private.", {}, "a.j2l", "Roast tag", tsf, "Idle"}},
        {Result{NoReply, ctf}, "", PlayersView{.state = "The server has not answered."}},
        {std::nullopt, "", PlayersView{.state = "Asking the server who is playing..."}},
    };
    for (const auto& c : cases) {
        if (c.answer && c.answer->outcome == Answered) {
            EXPECT_EQ(playersToolTip(c.answer->status), c.toolTip);
        }
        if (c.view) {
            EXPECT_EQ(playersView(c.answer), *c.view) << c.view->state;
        }
    }
}

} // namespace
} // namespace velberd
