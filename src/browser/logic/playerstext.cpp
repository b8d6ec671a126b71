#include "browser/logic/playerstext.h"

#include <algorithm>

namespace velberd {
namespace {

constexpr std::size_t kToolTipNames = 5;
constexpr int kCaptureTheFlag = 5;
constexpr std::array<std::string_view, 6> kGameModes = {
    "Single player", "Co-op", "Battle", "Race", "Treasure hunt", "Capture the flag",
};
constexpr std::array<std::string_view, 4> kTeams = {"Blue", "Red", "Green", "Yellow"};

struct CustomMode {
    int number;
    std::string_view name;
    bool teams;
};

constexpr CustomMode kCustomModes[] = {
    {1, "Roast tag", false},
    {2, "Last rabbit standing", false},
    {3, "Extended last rabbit standing", false},
    {4, "Pestilence", false},
    {11, "Team battle", true},
    {12, "Jailbreak", true},
    {13, "Death CTF", true},
    {14, "Flag run", true},
    {15, "Team last rabbit standing", true},
    {16, "Domination", true},
    {17, "Head hunters", false},
};

const CustomMode* customMode(const net::ServerStatus& status) {
    const auto found = std::find_if(std::begin(kCustomModes), std::end(kCustomModes),
                                    [&status](const CustomMode& mode) { return mode.number == status.customMode; });
    return found == std::end(kCustomModes) ? nullptr : found;
}

std::string modeName(const net::ServerStatus& status) {
    if (status.customMode.value_or(0) != 0) {
        if (const auto* mode = customMode(status)) return std::string(mode->name);
        return "Custom mode " + std::to_string(*status.customMode);
    }
    if (status.gameMode >= 0 && status.gameMode < static_cast<int>(kGameModes.size()))
        return std::string(kGameModes[static_cast<std::size_t>(status.gameMode)]);
    return "Mode " + std::to_string(status.gameMode);
}

bool hasTeams(const net::ServerStatus& status) {
    const auto* mode = customMode(status);
    return status.gameMode == kCaptureTheFlag || (mode && mode->teams);
}

// As the server list shows the version.
std::string versionText(const net::ServerStatus& status) {
    std::string shown = plainName(status.version);
    if (shown == "1.24") shown = "TSF";
    if (status.extended) shown += " (extended server)";
    return shown;
}

std::string playingCount(const net::ServerStatus& status) {
    return std::to_string(status.players) + " of " + std::to_string(status.limit) + " playing";
}

} // namespace

std::string plainName(std::string_view raw) {
    std::string shown;
    for (const char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '|' || byte < 0x20 || byte == 0x7F) continue;
        if (shown.size() == kPlainNameBytes) break;
        shown.push_back(c);
    }
    return shown;
}

std::string playersToolTip(const net::ServerStatus& status) {
    std::string tip = playingCount(status);
    if (status.isPrivate) return tip + " (the server keeps its players' names private)";
    const auto& players = status.playerList;
    for (std::size_t i = 0; i < std::min(players.size(), kToolTipNames); ++i)
        tip += (i == 0 ? ": " : ", ") + plainName(players[i].name);
    if (players.size() > kToolTipNames || (status.playerListCut && !players.empty())) tip += ", ...";
    return tip;
}

PlayersView playersView(const std::optional<net::GameStatusResult>& answer) {
    if (!answer) return {.state = "Asking the server who is playing..."};
    if (answer->outcome != net::GamePingOutcome::Answered) return {.state = "The server has not answered."};
    const auto& status = answer->status;
    PlayersView view;
    view.level = plainName(status.level.value_or(""));
    view.mode = modeName(status);
    view.version = versionText(status);
    if (status.extended) view.idle = status.idle ? "Idle" : "Active";
    if (status.isPrivate) {
        view.state = "The server keeps its players private.";
        return view;
    }
    view.state = playingCount(status) + (status.playerListCut ? " (the list is cut short)" : "");
    const bool teams = hasTeams(status);
    for (const auto& player : status.playerList) {
        view.rows.push_back({plainName(player.name), std::to_string(player.score),
                             teams ? std::string(kTeams[static_cast<std::size_t>(player.team) % kTeams.size()]) : "",
                             player.spectating ? "yes" : ""});
    }
    return view;
}

} // namespace velberd
