#include "chareditor/registry/registryapi.h"

#include <array>
#include <cstdint>
#include <utility>

namespace velberd::registry {
namespace {

constexpr std::uint32_t kStringBufferSize = 255;
const std::string kReadError = "Error";

// Opens the key a path names, runs `use` on it and closes it again. Returns false when the path
// names no known root (nothing was opened); `use` is not called when the key cannot be opened.
template <typename Use> bool withKey(const Registry& registry, std::string_view path, std::uint32_t access, Use&& use) {
    const KeyPath key = ParseKeyPath(path, registry.malformed);
    if (key.root == 0) return false;
    KeyHandle handle = 0;
    if (registry.backend.openKey(key.root, key.subKey, access, handle) != kSuccess) return true;
    std::forward<Use>(use)(handle);
    registry.backend.closeKey(handle);
    return true;
}

std::string trimSpaces(std::string text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

const std::uint8_t* bytesOf(std::string_view text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

} // namespace

std::string incorrectFormatText(std::string_view path) {
    return "Incorrect Format:\n\n" + std::string(path);
}

KeyPath ParseKeyPath(std::string_view path, const MalformedPathSink& malformed) {
    if (!path.starts_with("HKEY_") || path.ends_with('\\')) {
        if (malformed) malformed(path);
        return {};
    }
    const auto slash = path.find('\\');
    if (slash == std::string_view::npos) return {RootKeyFromName(path), {}};
    return {RootKeyFromName(path.substr(0, slash)), std::string(path.substr(slash + 1))};
}

RootKey RootKeyFromName(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, RootKey>, 7> roots{{
        {"HKEY_CLASSES_ROOT", kClassesRoot},
        {"HKEY_CURRENT_USER", kCurrentUser},
        {"HKEY_LOCAL_MACHINE", kLocalMachine},
        {"HKEY_USERS", kUsers},
        {"HKEY_PERFORMANCE_DATA", kPerformanceData},
        {"HKEY_CURRENT_CONFIG", kCurrentConfig},
        {"HKEY_DYN_DATA", kDynData},
    }};
    for (const auto& [rootName, root] : roots) {
        if (rootName == name) return root;
    }
    return 0;
}

std::string ReadStringValue(const Registry& registry, std::string_view path, std::string_view name) {
    std::string result = kReadError;
    const bool known = withKey(registry, path, kKeyRead, [&](KeyHandle key) {
        std::string buffer(kStringBufferSize, ' ');
        std::uint32_t type = 0;
        std::uint32_t size = kStringBufferSize;
        if (registry.backend.queryValue(key, std::string(name), type, reinterpret_cast<std::uint8_t*>(buffer.data()),
                                        size) != kSuccess) {
            return;
        }
        // The stored terminator stops the trimming and is the character dropped; data without
        // one (nothing stored at all) reads as the empty text.
        result = trimSpaces(std::move(buffer));
        if (!result.empty()) result.pop_back();
    });
    return known ? result : std::string();
}

std::string ReadBinaryValue(const Registry& registry, std::string_view path, std::string_view name) {
    std::string result = kReadError;
    const bool known = withKey(registry, path, kKeyRead, [&](KeyHandle key) {
        const std::string valueName(name);
        std::uint8_t scratch = 0;
        std::uint32_t type = 0;
        std::uint32_t size = 1;
        registry.backend.queryValue(key, valueName, type, &scratch, size);
        std::string buffer(size, ' ');
        if (registry.backend.queryValue(key, valueName, type, reinterpret_cast<std::uint8_t*>(buffer.data()), size) !=
            kSuccess) {
            return;
        }
        buffer.resize(size);
        result = std::move(buffer);
    });
    return known ? result : std::string();
}

void WriteStringValue(const Registry& registry, std::string_view path, std::string_view name, std::string_view text) {
    withKey(registry, path, kKeyWrite, [&](KeyHandle key) {
        std::string data(text);
        data.push_back('\0');
        registry.backend.setValue(key, std::string(name), kRegSz, bytesOf(data),
                                  static_cast<std::uint32_t>(data.size()));
    });
}

void WriteBinaryValue(const Registry& registry, std::string_view path, std::string_view name, std::string_view bytes) {
    withKey(registry, path, kKeyWrite, [&](KeyHandle key) {
        registry.backend.setValue(key, std::string(name), kRegBinary, bytesOf(bytes),
                                  static_cast<std::uint32_t>(bytes.size()));
    });
}

} // namespace velberd::registry
