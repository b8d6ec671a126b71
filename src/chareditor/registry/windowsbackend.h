#pragma once

#include "chareditor/registry/backend.h"

// The Windows registry through advapi32's ANSI calls.
namespace velberd::registry {

class WindowsBackend final : public Backend {
public:
    Status openKey(RootKey root, const std::string& subKey, std::uint32_t access, KeyHandle& handle) override;
    Status queryValue(KeyHandle key, const std::string& name, std::uint32_t& type, std::uint8_t* data,
                      std::uint32_t& size) override;
    Status setValue(KeyHandle key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override;
    Status closeKey(KeyHandle key) override;
};

} // namespace velberd::registry
