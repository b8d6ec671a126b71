#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One value of a Wine registry file: the text after "name=" and the type and bytes the ANSI
// registry calls see. String types are stored as UTF-16 and seen as Windows-1252.
namespace velberd::registry {

struct ValueData {
    std::uint32_t type = 0;
    std::string bytes;
};

// `text` is the data as one line: continuation backslashes and line breaks already removed.
std::optional<ValueData> decodeValueData(std::string_view text);

// The whole entry as Wine writes it, long hex data wrapped, ending in a line feed. `nameText` is
// the entry's start up to and including '=', kept as found in the file for a value that exists.
std::string encodeValueEntry(std::string_view nameText, const ValueData& value);

std::string valueNameText(std::u16string_view name);

} // namespace velberd::registry
