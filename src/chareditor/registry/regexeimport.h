#pragma once

#include "chareditor/registry/elevatedimport.h"

namespace velberd::registry {

// "reg import" from the system folder, started with the "runas" verb: the file lies in a new
// folder of its own in the player's temporary folder, and no command interpreter stands between.
class RegExeImport final : public ElevatedImport {
public:
    Result importAsAdministrator(const std::string& file) override;
};

} // namespace velberd::registry
