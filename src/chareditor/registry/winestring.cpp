#include "chareditor/registry/winestring.h"

#include <cstdint>
#include <cstdio>

namespace velberd::registry {
namespace {

bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned hexValue(char c) {
    if (c <= '9') return static_cast<unsigned>(c - '0');
    return static_cast<unsigned>((c | 0x20) - 'a' + 10);
}

bool isOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// The control characters written as a letter escape, each letter at its character's code: "n" at 10.
constexpr std::string_view kLetterEscapes = ".......abtnvfr.............e....";

std::optional<char16_t> simpleEscape(char c) {
    const auto code = c == '.' ? std::string_view::npos : kLetterEscapes.find(c);
    if (code == std::string_view::npos) return std::nullopt;
    return static_cast<char16_t>(code);
}

void appendCodePoint(std::u16string& text, char32_t point) {
    if (point < 0x10000) {
        text.push_back(static_cast<char16_t>(point));
        return;
    }
    point -= 0x10000;
    text.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
    text.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
}

// One UTF-8 sequence at `pos`; a broken one stands for U+FFFD and uses up one byte.
char32_t decodeUtf8(std::string_view line, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(line[pos]);
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || pos + static_cast<std::size_t>(extra) >= line.size()) {
        ++pos;
        return 0xFFFD;
    }
    char32_t point = lead & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(line[pos + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        point = (point << 6) | (next & 0x3F);
    }
    pos += static_cast<std::size_t>(extra) + 1;
    return point;
}

} // namespace

std::optional<std::u16string> parseWineString(std::string_view line, std::size_t& pos, char end) {
    std::u16string text;
    while (pos < line.size() && line[pos] != end) {
        if (line[pos] == '\\' && pos + 1 < line.size()) {
            const char escaped = line[pos + 1];
            if (const auto simple = simpleEscape(escaped)) {
                text.push_back(*simple);
                pos += 2;
                continue;
            }
            if (escaped == 'x') {
                pos += 2;
                if (pos >= line.size() || !isHexDigit(line[pos])) {
                    text.push_back(u'x');
                    continue;
                }
                unsigned value = 0;
                for (int digits = 0; digits < 4 && pos < line.size() && isHexDigit(line[pos]); ++digits) {
                    value = value * 16 + hexValue(line[pos++]);
                }
                text.push_back(static_cast<char16_t>(value));
                continue;
            }
            if (isOctalDigit(escaped)) {
                ++pos;
                unsigned value = 0;
                for (int digits = 0; digits < 3 && pos < line.size() && isOctalDigit(line[pos]); ++digits) {
                    value = value * 8 + static_cast<unsigned>(line[pos++] - '0');
                }
                text.push_back(static_cast<char16_t>(value));
                continue;
            }
            // Any other escaped character stands for itself.
            ++pos;
        }
        if (static_cast<unsigned char>(line[pos]) < 0x80) {
            text.push_back(static_cast<char16_t>(line[pos++]));
        } else {
            appendCodePoint(text, decodeUtf8(line, pos));
        }
    }
    if (pos >= line.size()) return std::nullopt;
    ++pos;
    return text;
}

std::string dumpWineString(std::u16string_view text, std::string_view delimiters) {
    std::string out;
    char buffer[16];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        const bool hasNext = i + 1 < text.size();
        if (unit > 127) {
            // A hex digit right behind would read as part of a short escape.
            const bool pad = hasNext && text[i + 1] < 128 && isHexDigit(static_cast<char>(text[i + 1]));
            std::snprintf(buffer, sizeof buffer, pad ? "\\x%04x" : "\\x%x", static_cast<unsigned>(unit));
            out += buffer;
        } else if (unit < 32) {
            if (kLetterEscapes[unit] != '.') {
                out += '\\';
                out += kLetterEscapes[unit];
            } else {
                const bool pad = hasNext && text[i + 1] >= u'0' && text[i + 1] <= u'7';
                std::snprintf(buffer, sizeof buffer, pad ? "\\%03o" : "\\%o", static_cast<unsigned>(unit));
                out += buffer;
            }
        } else {
            const char c = static_cast<char>(unit);
            if (c == '\\' || delimiters.find(c) != std::string_view::npos) out += '\\';
            out += c;
        }
    }
    return out;
}

} // namespace velberd::registry
