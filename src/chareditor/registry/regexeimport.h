#pragma once

#include "chareditor/registry/elevatedimport.h"

#include <filesystem>

namespace velberd::registry {

// "reg import" from the system folder, started with the "runas" verb: the file lies in a new
// folder of its own in the player's temporary folder, and no command interpreter stands between.
// The file is held open against writers and deleters until the tool has ended.
class RegExeImport final : public ElevatedImport {
public:
    // `tool` stands in for the system folder's reg.exe when given.
    explicit RegExeImport(std::filesystem::path tool = {}) : m_tool(std::move(tool)) {}
    Result importAsAdministrator(const std::string& file, std::uintptr_t ownerWindow) override;

private:
    std::filesystem::path m_tool;
};

} // namespace velberd::registry
