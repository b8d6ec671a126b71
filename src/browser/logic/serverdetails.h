#pragma once

#include "browser/logic/entryheader.h"

#include <optional>
#include <string>
#include <string_view>

namespace velberd {

// Every field that selecting a server reads from its entry. A field without a value is a step
// that failed: its label keeps the caption it had.
struct ServerDetails {
    EntryHeader header;
    // The text before the first ":", looked up even when the header hides it as "restricted".
    std::optional<std::string> lookupAddress;
    // The text between the first "[" and the first "]".
    std::optional<std::string> playerCount;
    // The 4 characters before the first three spaces, "TSF" for "1.24".
    std::optional<std::string> version;
    // "Battle", "Treasure" or "Capture".
    std::optional<std::string> gameType;
    // The uptime as minutes and seconds; the raw text (its three leading spaces included) when
    // it is not a number.
    std::optional<std::string> uptime;
};

ServerDetails readServerDetails(std::string_view entry);

// The Combo1 index of the game that runs a server of the version shown: 1 for The Secret Files
// ("TSF"), 0 for "1.21"; none for any other version, whose choice stays as the user left it.
std::optional<int> gamePathIndexForVersion(std::string_view versionCaption);

} // namespace velberd
