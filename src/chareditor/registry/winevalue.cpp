#include "chareditor/registry/winevalue.h"

#include "chareditor/registry/backend.h"
#include "chareditor/registry/cp1252.h"
#include "chareditor/registry/winestring.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace velberd::registry {
namespace {

bool isStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

std::optional<std::uint32_t> parseHexNumber(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<std::string> parseHexBytes(std::string_view text) {
    std::string bytes;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
            ++pos;
        if (pos == text.size()) break;
        const auto comma = std::min(text.find(',', pos), text.size());
        auto digits = text.substr(pos, comma - pos);
        while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t'))
            digits.remove_suffix(1);
        const auto value = parseHexNumber(digits);
        if (!value || *value > 0xFF || digits.empty()) return std::nullopt;
        bytes.push_back(static_cast<char>(*value));
        pos = comma + 1;
    }
    return bytes;
}

std::string bytesFromUtf16(std::u16string_view units) {
    std::string bytes;
    for (const char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

std::u16string utf16FromBytes(std::string_view bytes) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                              (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    return units;
}

std::optional<ValueData> decodeQuoted(std::uint32_t type, std::string_view text) {
    if (!text.starts_with('"')) return std::nullopt;
    std::size_t pos = 1;
    const auto units = parseWineString(text, pos, '"');
    if (!units) return std::nullopt;
    return ValueData{type, cp1252FromUtf16(*units) + '\0'};
}

std::string hexEntry(std::string_view prefix, std::string_view tag, std::string_view bytes) {
    std::string out(prefix);
    out += tag;
    // Wine breaks the line once it has passed 76 characters, counting from the entry's start.
    std::size_t count = out.size();
    char digits[3];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(bytes[i]));
        out += digits;
        count += 2;
        if (i + 1 < bytes.size()) {
            out += ',';
            if (++count > 76) {
                out += "\\\n  ";
                count = 2;
            }
        }
    }
    out += '\n';
    return out;
}

std::string typeTag(const char* format, std::uint32_t type) {
    char tag[24];
    std::snprintf(tag, sizeof tag, format, static_cast<unsigned>(type));
    return tag;
}

} // namespace

std::optional<ValueData> decodeValueData(std::string_view text) {
    if (text.starts_with('"')) return decodeQuoted(kRegSz, text);
    if (text.starts_with("str(")) {
        const auto close = text.find("):");
        if (close == std::string_view::npos) return std::nullopt;
        const auto type = parseHexNumber(text.substr(4, close - 4));
        if (!type) return std::nullopt;
        return decodeQuoted(*type, text.substr(close + 2));
    }
    if (text.starts_with("dword:")) {
        const auto number = parseHexNumber(text.substr(6));
        if (!number) return std::nullopt;
        std::string bytes;
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<char>((*number >> shift) & 0xFF));
        return ValueData{kRegDword, bytes};
    }
    if (text.starts_with("hex:")) {
        auto bytes = parseHexBytes(text.substr(4));
        if (!bytes) return std::nullopt;
        return ValueData{kRegBinary, std::move(*bytes)};
    }
    if (text.starts_with("hex(")) {
        const auto close = text.find("):");
        if (close == std::string_view::npos) return std::nullopt;
        const auto type = parseHexNumber(text.substr(4, close - 4));
        auto bytes = parseHexBytes(text.substr(close + 2));
        if (!type || !bytes) return std::nullopt;
        if (isStringType(*type)) return ValueData{*type, cp1252FromUtf16(utf16FromBytes(*bytes))};
        return ValueData{*type, std::move(*bytes)};
    }
    return std::nullopt;
}

std::string encodeValueEntry(std::string_view nameText, const ValueData& value) {
    std::string out(nameText);
    if (isStringType(value.type)) {
        const std::u16string units = utf16FromCp1252(value.bytes);
        // Only a terminated string is written as quoted text, as Wine does.
        if (!units.empty() && units.back() == u'\0') {
            if (value.type != kRegSz) out += typeTag("str(%x):", value.type);
            out += '"';
            out += dumpWineString(std::u16string_view(units).substr(0, units.size() - 1), "\"");
            out += "\"\n";
            return out;
        }
        return hexEntry(nameText, typeTag("hex(%x):", value.type), bytesFromUtf16(units));
    }
    if (value.type == kRegDword && value.bytes.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = (number << 8) | static_cast<unsigned char>(value.bytes[i]);
        return out + typeTag("dword:%08x", number) + '\n';
    }
    if (value.type == kRegBinary) return hexEntry(nameText, "hex:", value.bytes);
    return hexEntry(nameText, typeTag("hex(%x):", value.type), value.bytes);
}

std::string valueNameText(std::u16string_view name) {
    if (name.empty()) return "@=";
    return '"' + dumpWineString(name, "\"") + "\"=";
}

} // namespace velberd::registry
