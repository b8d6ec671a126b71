// One server-list entry read for every field the details show, and the uptime text formatted.
#include "browser/logic/entryheader.h"
#include "browser/logic/probablehosts.h"
#include "browser/logic/serverdetails.h"
#include "browser/logic/uptime.h"
#include "check.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>

using velberd::fuzz::require;

namespace {

bool isUptimeText(const std::string& text) {
    if (text == "--:--") return true;
    const std::size_t digits = text.starts_with('-') ? 1 : 0;
    const auto colon = text.find(':');
    if (colon == std::string::npos || colon == digits || text.size() != colon + 3) return false;
    for (std::size_t i = digits; i < text.size(); ++i) {
        if (i != colon && !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    return text[colon + 1] <= '5';
}

bool within(std::string_view entry, const std::optional<std::string>& field) {
    return !field || entry.find(*field) != std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view entry(reinterpret_cast<const char*>(data), size);

    const auto details = velberd::readServerDetails(entry);
    const auto header = velberd::readEntryHeader(entry);
    require(details.header.access == header.access && details.header.address == header.address &&
                details.header.serverName == header.serverName,
            "the details start with the entry header");
    require(header.access.size() <= 7, "the access field is at most seven characters");
    require(header.joinEnabled == !header.access.ends_with('e'), "only a private server cannot be joined");
    require(header.address == "restricted" || header.address == "x" || within(entry, header.address),
            "the address is text of the entry");
    require(!details.gameType.empty(), "a game type is always shown");
    require(within(entry, details.lookupAddress) && within(entry, details.playerCount),
            "address and players are text of the entry");
    require(!details.version || details.version == "TSF" || within(entry, details.version),
            "the version is text of the entry");

    if (const auto number = velberd::uptimeNumber(entry))
        require(isUptimeText(velberd::formatUptime(*number)), "an uptime reads m:ss");
    if (size >= sizeof(float)) {
        float raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        require(isUptimeText(velberd::formatUptime(raw)), "any float formats as m:ss or --:--");
    }

    const auto hosts = velberd::probableHosts(entry);
    require(!hosts || !hosts->empty(), "a matching row names its hosts");
    if (const auto index = velberd::gamePathIndexForVersion(entry)) require(*index == 0 || *index == 1, "two games");
    return 0;
}
