#pragma once

#include "chareditor/registry/backend.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The file that Windows' registry tool imports ("reg import") to store values for Velberd with
// administrator rights.
namespace velberd::registry {

struct ImportedValue {
    std::string name;
    std::uint32_t type = kRegBinary;
    // The data as the registry holds it: for kRegSz, UTF-16LE text with its terminator.
    std::string bytes;
    bool operator==(const ImportedValue&) const = default;
};

// A "Windows Registry Editor Version 5.00" file in UTF-16LE that sets the values under the key.
// Every value is written as hex bytes, so that no character of a value can change what the tool
// does. None for a key path or value name the file format cannot hold as it is.
std::optional<std::string> importFile(std::string_view keyPath, const std::vector<ImportedValue>& values);

} // namespace velberd::registry
