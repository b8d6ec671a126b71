// Key path texts as the character editor hands them to the registry access layer.
#include "chareditor/registry/registryapi.h"
#include "check.h"

#include <cstddef>
#include <cstdint>

using velberd::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view path(reinterpret_cast<const char*>(data), size);
    int reported = 0;
    const auto key = velberd::registry::parseKeyPath(path, [&](std::string_view malformed) {
        require(malformed == path, "the malformed path is reported as given");
        ++reported;
    });
    const bool wellFormed = path.starts_with("HKEY_") && !path.ends_with('\\');
    require(reported == (wellFormed ? 0 : 1), "a malformed path is reported once, a good one never");
    if (!wellFormed) {
        require(key.root == 0 && key.subKey.empty(), "a malformed path names nothing");
        return 0;
    }
    const auto slash = path.find('\\');
    require(key.root == velberd::registry::rootKeyFromName(path.substr(0, slash)), "the root is the first part");
    require(path.ends_with(key.subKey), "the sub key is the rest");
    require(key.subKey.empty() == (slash == std::string_view::npos || slash + 1 == path.size()),
            "a sub key follows the first backslash");
    return 0;
}
