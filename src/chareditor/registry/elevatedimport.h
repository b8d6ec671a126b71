#pragma once

#include <cstdint>
#include <string>

namespace velberd::registry {

// Stores registry values with administrator rights, on Windows, where only an administrator may
// change the game's settings under HKEY_USERS\.Default. Only Windows' own registry tool runs with
// those rights; Windows asks the player for an administrator's approval first.
class ElevatedImport {
public:
    enum class Outcome { Imported, Declined, Failed };
    struct Result {
        Outcome outcome = Outcome::Failed;
        std::string reason; // why it failed, in UTF-8, in Windows' words where it gives them
    };

    virtual ~ElevatedImport() = default;
    // Imports a file that importFile() made. Windows' question belongs to `ownerWindow`, a native
    // window handle (none: 0). Blocks until the tool has ended: call it off the user-interface
    // thread.
    virtual Result importAsAdministrator(const std::string& file, std::uintptr_t ownerWindow) = 0;
};

} // namespace velberd::registry
