#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velberd {

// Cuts expression into the pieces between occurrences of delimiter, byte for byte. A trailing
// delimiter gives no empty last piece; a leading one gives an empty first piece; an empty
// expression gives no pieces. A negative limit means no limit; a positive limit caps the count,
// the last piece holding the rest; 0 gives no pieces.
std::vector<std::string> splitText(std::string_view expression, std::string_view delimiter, int limit = -1);

} // namespace velberd
