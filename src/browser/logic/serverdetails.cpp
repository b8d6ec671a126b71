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

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The word after the access field ("public " holds its space; "private" is followed by one),
// when it is a run of ASCII letters ended by a space or by the end of the entry.
std::optional<std::string> modeWord(std::string_view entry) {
    const int access = accessFieldStart(entry);
    const auto field = slice(entry, access, 7);
    if (!field || field->size() < 7) return std::nullopt;
    auto start = static_cast<std::size_t>(access - 1) + field->size();
    if (!field->ends_with(' ')) {
        if (start >= entry.size() || entry[start] != ' ') return std::nullopt;
        ++start;
    }
    auto end = start;
    while (end < entry.size() && isAsciiLetter(entry[end]))
        ++end;
    if (end == start || (end < entry.size() && entry[end] != ' ')) return std::nullopt;
    std::string word{entry.substr(start, end - start)};
    if (word[0] >= 'a') word[0] = static_cast<char>(word[0] - ('a' - 'A'));
    return word;
}

// The whole entry is searched for the three words first, so a server named after one of them may
// show that one.
std::string gameType(std::string_view entry) {
    const auto occurs = [entry](std::string_view word) { return positionOf(entry, word, 2) != 0; };
    if (occurs(" battle ")) return "Battle";
    if (occurs(" treasure ")) return "Treasure";
    if (occurs(" ctf ")) return "Capture";
    return modeWord(entry).value_or("x");
}

std::optional<std::string> uptime(std::string_view entry) {
    const int spaces = positionOf(entry, "   ");
    const int end = positionOf(entry, " [");
    auto raw = slice(entry, spaces, end - spaces);
    if (!raw) return std::nullopt;
    if (const auto seconds = uptimeNumber(*raw)) return formatUptime(*seconds);
    return raw;
}

} // namespace

ServerDetails readServerDetails(std::string_view entry) {
    ServerDetails details;
    details.header = readEntryHeader(entry);
    details.lookupAddress = leftOf(entry, positionOf(entry, ":") - 1);
    if (details.lookupAddress && details.lookupAddress->empty()) details.lookupAddress.reset();
    details.playerCount = playerCount(entry);
    details.version = version(entry);
    details.gameType = gameType(entry);
    details.uptime = uptime(entry);
    return details;
}

std::optional<std::uint16_t> gamePort(std::string_view entry) {
    const auto colon = entry.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    unsigned port = 0;
    std::size_t digits = 0;
    for (auto at = colon + 1; at < entry.size() && entry[at] >= '0' && entry[at] <= '9' && port <= 65535; ++at) {
        port = port * 10 + static_cast<unsigned>(entry[at] - '0');
        ++digits;
    }
    if (digits == 0 || port == 0 || port > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(port);
}

std::optional<int> gamePathIndexForVersion(std::string_view versionCaption) {
    if (versionCaption == "TSF") return 1;
    if (versionCaption == "1.21" || versionCaption == "1.22" || versionCaption == "1.23") return 0;
    return std::nullopt;
}

} // namespace velberd
