// A received block from the list server, as any peer may send it, cut into entries and names.
#include "browser/logic/serverlist.h"
#include "check.h"

#include <cstddef>
#include <cstdint>

using velberd::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view block(reinterpret_cast<const char*>(data), size);
    const auto entries = velberd::parseReceivedBlock(block);
    require(entries.size() <= velberd::kLineSlots, "at most eleven entries");
    for (const auto& entry : entries) {
        require(!entry.empty(), "an empty line is never an entry");
        require(entry.find("\r\n") == std::string::npos, "an entry holds no line end");
        require(block.find(entry) != std::string_view::npos, "an entry is a line of the block");
        const auto name = velberd::displayName(entry);
        require(name.size() < entry.size(), "the name lies behind its marker");
        require(name.empty() || entry.find("] " + name) != std::string::npos, "the name follows \"] \"");
    }
    return 0;
}
