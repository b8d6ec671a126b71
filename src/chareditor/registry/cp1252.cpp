#include "chareditor/registry/cp1252.h"

#include <algorithm>
#include <array>

namespace velberd::registry {
namespace {

constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t toUtf16(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return byte;
}

char fromUtf16(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
    const auto found = std::find(kHighControls.begin(), kHighControls.end(), unit);
    if (found == kHighControls.end()) return '?';
    return static_cast<char>(0x80 + (found - kHighControls.begin()));
}

} // namespace

std::u16string utf16FromCp1252(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        text.push_back(toUtf16(static_cast<unsigned char>(byte)));
    return text;
}

std::string cp1252FromUtf16(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t unit : text)
        bytes.push_back(fromUtf16(unit));
    return bytes;
}

} // namespace velberd::registry
