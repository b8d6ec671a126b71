#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace velberd::registry {

// Writes all of content to the open file fd; false when a write stops short.
bool writeAll(int fd, std::string_view content);

// Replaces `file` with `content` so that a reader sees the old file or the new one, never a
// half-written one: a temporary file in the same folder, flushed to disk, renamed over it. A
// symbolic link stays a link: the file it leads to is the one replaced. The file keeps its mode,
// and its owner and group where this process may set them. The error that stopped it, with the
// file untouched, or no error.
std::error_code replaceFileAtomically(const std::filesystem::path& file, std::string_view content);

} // namespace velberd::registry
