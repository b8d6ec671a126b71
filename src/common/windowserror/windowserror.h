#pragma once

#include <string>
#include <string_view>

namespace velberd {

// Windows' own words for an error code, in UTF-8, with `path` where they name "%1"; "Windows
// error N." when Windows has none.
std::string windowsErrorText(unsigned long error, std::string_view path = {});

} // namespace velberd
