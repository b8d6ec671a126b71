#include "browser/logic/serverdetails.h"

#include "browser/logic/slice.h"
#include "browser/logic/uptime.h"

namespace velberd {
namespace {

// Without any "[" the count starts at the entry's first character; a "]" before the "[" fails.
std::optional<std::string> playerCount(std::string_view entry) {
    const int open = positionOf(entry, "[");
    const int close = positionOf(entry, "]");
    return slice(entry, open + 1, close - open - 1);
}

std::optional<std::string> version(std::string_view entry) {
    const int spaces = positionOf(entry, "   ");
    auto shown = slice(entry, spaces - 4, 4);
    if (shown == "1.24") return "TSF";
    return shown;
}

// The whole entry is searched, so a server named after another game type may show that one.
std::optional<std::string> gameType(std::string_view entry) {
    const auto occurs = [entry](std::string_view word) { return positionOf(entry, word, 2) != 0; };
    if (occurs(" battle ")) return "Battle";
    if (occurs(" treasure ")) return "Treasure";
    if (occurs(" ctf ")) return "Capture";
    return std::nullopt;
}

std::optional<std::string> uptime(std::string_view entry) {
    const int spaces = positionOf(entry, "   ");
    const int end = positionOf(entry, " [");
    auto raw = slice(entry, spaces, end - spaces);
    if (!raw) return std::nullopt;
    if (const auto seconds = uptimeNumber(*raw)) return FormatUptime(*seconds);
    return raw;
}

} // namespace

ServerDetails readServerDetails(std::string_view entry) {
    ServerDetails details;
    details.header = readEntryHeader(entry);
    details.lookupAddress = leftOf(entry, positionOf(entry, ":") - 1);
    details.playerCount = playerCount(entry);
    details.version = version(entry);
    details.gameType = gameType(entry);
    details.uptime = uptime(entry);
    return details;
}

std::optional<int> gamePathIndexForVersion(std::string_view versionCaption) {
    if (versionCaption == "TSF") return 1;
    if (versionCaption == "1.21") return 0;
    return std::nullopt;
}

} // namespace velberd
