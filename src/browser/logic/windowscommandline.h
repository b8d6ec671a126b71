#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velberd {

// The one command line Windows hands a new process, written so that the C runtime's splitting
// gives the program back exactly these arguments: spaces, tabs, quotes and backslashes included.
// The program name is always quoted, as the runtime reads it without escapes; a name holding a
// quote cannot be written, so there is none.
std::optional<std::string> windowsCommandLine(std::string_view program, const std::vector<std::string>& arguments);

} // namespace velberd
