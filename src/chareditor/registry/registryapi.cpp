#include "chareditor/registry/registryapi.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace velberd::registry {
namespace {

constexpr std::uint32_t kStringBufferSize = 255;
const std::string kReadError = "Error";

// Opens the key a path names, runs `use` on it and closes it again: the status of the open when
// it fails, else what `use` answers. No value when the path names no known root (nothing was opened).
template <typename Use>
std::optional<Status> withKey(const Registry& registry, std::string_view path, std::uint32_t access, Use&& use) {
    const KeyPath key = parseKeyPath(path, registry.malformed);
    if (key.root == 0) return std::nullopt;
    KeyHandle handle = 0;
    if (const Status opened = registry.backend.openKey(key.root, key.subKey, access, handle); opened != kSuccess) {
        return opened;
    }
    const Status status = std::forward<Use>(use)(handle);
    registry.backend.closeKey(handle);
    return status;
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

KeyPath parseKeyPath(std::string_view path, const MalformedPathSink& malformed) {
    if (!path.starts_with("HKEY_") || path.ends_with('\\')) {
        if (malformed) malformed(path);
        return {};
    }
    const auto slash = path.find('\\');
    if (slash == std::string_view::npos) return {rootKeyFromName(path), {}};
    return {rootKeyFromName(path.substr(0, slash)), std::string(path.substr(slash + 1))};
}

RootKey rootKeyFromName(std::string_view name) {
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

std::string readStringValue(const Registry& registry, std::string_view path, std::string_view name) {
    std::string result = kReadError;
    const auto status = withKey(registry, path, kKeyRead, [&](KeyHandle key) {
        std::string buffer(kStringBufferSize, ' ');
        std::uint32_t type = 0;
        std::uint32_t size = kStringBufferSize;
        const Status queried = registry.backend.queryValue(key, std::string(name), type,
                                                           reinterpret_cast<std::uint8_t*>(buffer.data()), size);
        if (queried != kSuccess) return queried;
        // The stored terminator stops the trimming and is the character dropped; data without
        // one (nothing stored at all) reads as the empty text.
        result = trimSpaces(std::move(buffer));
        if (!result.empty()) result.pop_back();
        return kSuccess;
    });
    return status ? result : std::string();
}

std::string readBinaryValue(const Registry& registry, std::string_view path, std::string_view name) {
    std::string result = kReadError;
    const auto status = withKey(registry, path, kKeyRead, [&](KeyHandle key) {
        const std::string valueName(name);
        std::uint8_t scratch = 0;
        std::uint32_t type = 0;
        std::uint32_t size = 1;
        registry.backend.queryValue(key, valueName, type, &scratch, size);
        std::string buffer(size, ' ');
        const Status queried =
            registry.backend.queryValue(key, valueName, type, reinterpret_cast<std::uint8_t*>(buffer.data()), size);
        if (queried != kSuccess) return queried;
        buffer.resize(size);
        result = std::move(buffer);
        return kSuccess;
    });
    return status ? result : std::string();
}

Status writeStringValue(const Registry& registry, std::string_view path, std::string_view name, std::string_view text) {
    return withKey(registry, path, kKeyWrite,
                   [&](KeyHandle key) {
                       std::string data(text);
                       data.push_back('\0');
                       return registry.backend.setValue(key, std::string(name), kRegSz, bytesOf(data),
                                                        static_cast<std::uint32_t>(data.size()));
                   })
        .value_or(kInvalidHandle);
}

Status writeBinaryValue(const Registry& registry, std::string_view path, std::string_view name,
                        std::string_view bytes) {
    return withKey(registry, path, kKeyWrite,
                   [&](KeyHandle key) {
                       return registry.backend.setValue(key, std::string(name), kRegBinary, bytesOf(bytes),
                                                        static_cast<std::uint32_t>(bytes.size()));
                   })
        .value_or(kInvalidHandle);
}

} // namespace velberd::registry
