#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace velberd::registry {

// Reads all of `file` into `content`. The error that stopped it, or no error; a read that ends
// before the size the file had when it was opened counts as failed (EIO), since what was read is
// not the whole file.
std::error_code readWholeFile(const std::filesystem::path& file, std::string& content);

} // namespace velberd::registry
