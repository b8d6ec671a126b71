#pragma once

#include <filesystem>
#include <string_view>

namespace velberd::registry {

// Replaces `file` with `content` so that a reader sees the old file or the new one, never a
// half-written one: a temporary file in the same folder, flushed to disk, renamed over it. The
// file keeps its permissions. False, with the file untouched, when any step fails.
bool replaceFileAtomically(const std::filesystem::path& file, std::string_view content);

} // namespace velberd::registry
