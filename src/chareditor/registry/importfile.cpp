#include "chareditor/registry/importfile.h"

#include <cstdio>

namespace velberd::registry {
namespace {

// Text that stands in the file as written: no line breaks or other control characters, nothing
// beyond ASCII, and neither of the characters that end a key ("]") or a name ('"') in it.
bool plain(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E || c == ']' || c == '"' || c == '[') return false;
    }
    return !text.empty();
}

std::string hexBytes(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02x", static_cast<unsigned char>(c));
        if (!text.empty()) text += ',';
        text += pair;
    }
    return text;
}

std::string utf16le(std::string_view ascii) {
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

} // namespace

std::optional<std::string> importFile(std::string_view keyPath, const std::vector<ImportedValue>& values) {
    if (!plain(keyPath) || !keyPath.starts_with("HKEY_") || keyPath.ends_with('\\')) return std::nullopt;
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[" + std::string(keyPath) + "]\r\n";
    for (const auto& value : values) {
        // A backslash in a quoted name would start an escape.
        if (!plain(value.name) || value.name.find('\\') != std::string::npos) return std::nullopt;
        // The tool reads the type as a hexadecimal number.
        char type[16];
        std::snprintf(type, sizeof type, "hex(%x)", static_cast<unsigned>(value.type));
        const std::string kind = value.type == kRegBinary ? "hex" : type;
        text += '"' + value.name + "\"=" + kind + ':' + hexBytes(value.bytes) + "\r\n";
    }
    return utf16le(text + "\r\n");
}

} // namespace velberd::registry
