#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The quoted text of Wine's registry files: C-style and \x escapes, other characters above 127
// as UTF-8. Used for key names (ended by ']') and for value names and string data (ended by '"').
namespace velberd::registry {

// Reads from `pos` up to the unescaped `end` character and leaves `pos` just behind it; no value
// when the text ends first.
std::optional<std::u16string> parseWineString(std::string_view line, std::size_t& pos, char end);

// Writes `text` as Wine does, escaping backslashes and the characters of `delimiters`.
std::string dumpWineString(std::u16string_view text, std::string_view delimiters);

} // namespace velberd::registry
