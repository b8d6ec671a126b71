#pragma once

#include <filesystem>
#include <optional>
#include <vector>

// Wine's server holds a prefix's registry in memory while the prefix is in use and writes the
// files again later, over any edit made to them meanwhile. A running server holds a POSIX record
// lock on the file "lock" in its folder; a starting one that cannot take that lock gives up, and
// its client tries again for a few seconds.
namespace velberd::registry {

// The folders a server for `prefix` uses: upstream Wine's /tmp/.wine-<uid>/server-<device>-<inode>,
// and Debian's, below the folder whose name the prefix's file "wineserver" keeps, in $TMPDIR or
// /tmp. Only the first when that file is missing or is not one Wine would trust. Empty when the
// prefix folder does not exist.
std::vector<std::filesystem::path> wineServerFolders(const std::filesystem::path& prefix);

// The lock of every server folder of a prefix, held for as long as the object lives: no server
// for the prefix can start meanwhile.
class WineServerLock {
public:
    // Makes the folders and files that are missing as Wine's server makes them, Debian's named
    // folder included. No value when a server holds one of the locks: Wine is running for the prefix.
    static std::optional<WineServerLock> take(const std::filesystem::path& prefix);

    WineServerLock(WineServerLock&& other) noexcept;
    WineServerLock& operator=(WineServerLock&&) = delete;
    WineServerLock(const WineServerLock&) = delete;
    WineServerLock& operator=(const WineServerLock&) = delete;
    ~WineServerLock();

private:
    WineServerLock() = default;

    std::vector<int> m_files;
};

} // namespace velberd::registry
