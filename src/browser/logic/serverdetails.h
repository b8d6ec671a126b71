#pragma once

#include "browser/logic/entryheader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velberd {

// Every field that selecting a server reads from its entry. A field without a value cannot be
// read from the entry: its label shows "x".
struct ServerDetails {
    EntryHeader header;
    // The text before the first ":", looked up even when the header hides it as "restricted";
    // none when there is no such text.
    std::optional<std::string> lookupAddress;
    // The text between the first "[" and the first "]".
    std::optional<std::string> playerCount;
    // The 4 characters before the first three spaces, "TSF" for "1.24".
    std::optional<std::string> version;
    // "Battle", "Treasure" or "Capture" where the entry holds " battle ", " treasure " or " ctf "
    // (the first of them that occurs, searched in that order); else the entry's mode word with its
    // first letter upper-case ("Race"); "x" when there is none.
    std::string gameType;
    // The uptime as minutes and seconds; the raw text (its three leading spaces included) when
    // it is not a number.
    std::optional<std::string> uptime;
};

ServerDetails readServerDetails(std::string_view entry);

// The game port: the number right after the first ":", 1 to 65535; none without one.
std::optional<std::uint16_t> gamePort(std::string_view entry);

// The Combo1 index of the game that runs a server of the version shown: 1 for The Secret Files
// ("TSF"), 0 for the 1.21 to 1.23 game ("1.21", "1.22", "1.23"); none for any other version,
// whose choice stays as the user left it.
std::optional<int> gamePathIndexForVersion(std::string_view versionCaption);

} // namespace velberd
