#include "chareditor/ui/colourbox.h"

#include <charconv>

namespace velberd {
namespace {

std::optional<unsigned> hexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    return std::nullopt;
}

} // namespace

std::optional<std::uint8_t> colourByteFromText(std::string_view text) {
    unsigned value = 0;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\n') continue;
        const auto digit = hexDigit(c);
        if (!digit) break;
        value = value * 16 + *digit;
        if (value > 0xFF) return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

std::string colourText(std::uint8_t byte) {
    char digits[2];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, byte, 16);
    return {digits, end};
}

} // namespace velberd
