#pragma once

#include "chareditor/registry/backend.h"

#include <filesystem>
#include <map>
#include <vector>

// The registry of a Wine prefix, where the game keeps its settings when it runs under Wine:
// HKEY_USERS\.Default in userdef.reg, HKEY_CURRENT_USER in user.reg, HKEY_LOCAL_MACHINE in
// system.reg. Other roots cannot be opened. Writes are refused with kBusy while Wine's server runs
// for the prefix, since it would write its own copy over them, and with kLockViolation while
// another Velberd writes to it. A file that cannot be read whole answers kReadFault and is not
// written; a failed write answers the Windows status nearest to the system's error
// (kAccessDenied, kDiskFull, kFileTooLarge, kWriteFault).
namespace velberd::registry {

class WinePrefixBackend final : public Backend {
public:
    explicit WinePrefixBackend(std::filesystem::path prefix);

    Status openKey(RootKey root, const std::string& subKey, std::uint32_t access, KeyHandle& handle) override;
    Status queryValue(KeyHandle key, const std::string& name, std::uint32_t& type, std::uint8_t* data,
                      std::uint32_t& size) override;
    Status setValue(KeyHandle key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override;
    Status closeKey(KeyHandle key) override;

private:
    struct OpenKey {
        std::filesystem::path file;
        std::vector<std::u16string> key;
        std::uint32_t access = 0;
    };

    std::filesystem::path m_prefix;
    std::map<KeyHandle, OpenKey> m_open;
    KeyHandle m_nextHandle = 1;
};

// $WINEPREFIX, else ~/.wine, as Wine itself chooses.
std::filesystem::path prefixFromEnvironment();

} // namespace velberd::registry
