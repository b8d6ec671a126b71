#pragma once

#include <filesystem>
#include <variant>
#include <vector>

// Wine's server holds a prefix's registry in memory while the prefix is in use and writes the
// files again later, over any edit made to them meanwhile. A running server holds a POSIX record
// lock on the first byte of the file "lock" in its folder; a starting one that cannot take that
// lock gives up, and its client tries again for a few seconds.
namespace velberd::registry {

// The folders a server for `prefix` uses, found as Wine finds them. Upstream Wine's is
// /tmp/.wine-<uid>/server-<device>-<inode>. Debian's is below /run/user/<uid>/wine where that
// user folder can be opened; elsewhere below the folder of $TMPDIR (else /tmp) that the prefix's
// file "wineserver" names: its bytes up to and including the first line feed. Debian's is left
// out while that file is missing, or is one Wine replaces with a fresh folder of a name no one can
// know beforehand (not mode 0400, empty or unreadable). Empty when the prefix folder does not exist.
std::vector<std::filesystem::path> wineServerFolders(const std::filesystem::path& prefix);

// Who holds a server lock of a prefix that could not be taken.
enum class LockHolder { WineServer, Velberd };

// The lock of every server folder of a prefix, held for as long as the object lives: no server
// for the prefix can start meanwhile. It covers the whole lock file, so that another Velberd can
// tell it from a server's.
class WineServerLock {
public:
    // Makes the folders and files that are missing as Wine makes them, Debian's named folder
    // included; never deletes or rewrites one that is there. Who holds a lock already, if anyone.
    static std::variant<WineServerLock, LockHolder> take(const std::filesystem::path& prefix);

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
