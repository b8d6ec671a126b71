#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text of a colour box: one colour byte in hexadecimal.
namespace velberd {

// Blanks, tabs and line feeds are skipped anywhere, reading stops at the first other character
// that is no hexadecimal digit, and a text without a leading digit counts as 0. No value when
// the number is above ff: it does not fit the byte it stands for.
std::optional<std::uint8_t> colourByteFromText(std::string_view text);

// Lower-case letters, no leading zeros: 0, a, ff.
std::string colourText(std::uint8_t byte);

} // namespace velberd
