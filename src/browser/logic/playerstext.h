#pragma once

#include "net/gamestatus.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velberd {

// The most bytes a shown name keeps: room for a name as the game shows it, and a bound on how wide
// a hostile answer can make a column or a tool tip.
inline constexpr std::size_t kPlainNameBytes = 32;

// A name from the game as text to show: without the "|" that switch the game's colours and without
// control bytes, cut to kPlainNameBytes. Server names, levels and versions are shown through it too.
std::string plainName(std::string_view raw);

// Who plays, at a glance: "3 of 16 playing: Alice, Bob, Carol", the first few names and then "...".
std::string playersToolTip(const net::ServerStatus& status);

// The status answer as the window's players view shows it.
struct PlayersView {
    std::string state{};                            // what is known of the players, one line
    std::vector<std::array<std::string, 4>> rows{}; // name, score, team, "yes" when spectating
    std::string level{};
    std::string mode{};
    std::string version{};
    std::string idle{}; // "Idle" or "Active"; empty for a plain server, which does not say

    bool operator==(const PlayersView&) const = default;
};

// The answer is none while the first one is awaited.
PlayersView playersView(const std::optional<net::GameStatusResult>& answer);

} // namespace velberd
