#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velberd {

enum class Compare { Binary = 0, Text = 1 };

// Cuts expression into the pieces between occurrences of delimiter. A trailing delimiter gives
// no empty last piece; a leading one gives an empty first piece; an empty expression gives no
// pieces. Limit -1 means no limit; a positive limit caps the count, the last piece holding the
// rest; 0 gives no pieces. Text comparison ignores case over the Windows-1252 letters.
std::vector<std::string> splitText(std::string_view expression, std::string_view delimiter, int limit = -1,
                                   Compare compare = Compare::Binary);

} // namespace velberd
