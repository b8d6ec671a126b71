#pragma once

#include <filesystem>
#include <vector>

// Wine's server holds a prefix's registry in memory while the prefix is in use and writes the
// files again later, over any edit made to them meanwhile.
namespace velberd::registry {

// Where a server for `prefix` would listen: upstream Wine uses
// /tmp/.wine-<uid>/server-<device>-<inode>/socket; Debian's Wine makes the first folder with
// mkdtemp and keeps its name in the prefix's file "wineserver". Empty when the prefix folder
// does not exist.
std::vector<std::filesystem::path> wineServerSockets(const std::filesystem::path& prefix);

bool wineServerRunning(const std::filesystem::path& prefix);

} // namespace velberd::registry
