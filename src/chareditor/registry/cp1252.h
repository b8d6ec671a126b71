#pragma once

#include <string>
#include <string_view>

// Windows-1252 bytes, as the ANSI registry calls see text, and the UTF-16 that Wine stores. The
// five bytes the code page leaves undefined map to the control characters of the same value, as
// Windows does, so every byte survives a round trip.
namespace velberd::registry {

std::u16string utf16FromCp1252(std::string_view bytes);
// A character the code page cannot hold becomes '?', as the ANSI calls answer.
std::string cp1252FromUtf16(std::u16string_view text);

} // namespace velberd::registry
