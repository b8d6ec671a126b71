#include "browser/logic/serverlist.h"

#include "browser/logic/slice.h"
#include "browser/logic/splittext.h"

namespace velberd {

std::vector<std::string> parseReceivedBlock(std::string_view block) {
    // Only the first eleven lines count, so the cut stops there however long the block is.
    auto lines = splitText(block, "\r\n", static_cast<int>(kLineSlots) + 1);
    std::vector<std::string> entries;
    if (lines.empty()) return entries;
    if (!lines[0].empty()) entries.push_back(std::move(lines[0]));
    for (std::size_t i = 1; i < kLineSlots && i < lines.size(); ++i) {
        if (lines[i].empty()) break;
        entries.push_back(std::move(lines[i]));
    }
    return entries;
}

std::string displayName(std::string_view entry) {
    const int a = positionOf(entry, "] ");
    return slice(entry, a + 2, a).value_or(std::string{});
}

} // namespace velberd
