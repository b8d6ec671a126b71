#include "chareditor/registry/wineprefixbackend.h"

#include "chareditor/registry/atomicfile.h"
#include "chareditor/registry/cp1252.h"
#include "chareditor/registry/wholefile.h"
#include "chareditor/registry/winefile.h"
#include "chareditor/registry/wineserver.h"
#include "chareditor/registry/winevalue.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>
#include <variant>

namespace velberd::registry {
namespace {

struct Location {
    std::filesystem::path file;
    std::vector<std::u16string> key;
};

// The registry file whole, or why not.
Status readFile(const std::filesystem::path& path, std::string& content) {
    switch (readWholeFile(path, content).value()) {
    case 0:
        return kSuccess;
    case ENOENT:
    case ENOTDIR:
        return kFileNotFound;
    case EACCES:
    case EPERM:
        return kAccessDenied;
    default:
        return kReadFault;
    }
}

std::optional<Location> locate(const std::filesystem::path& prefix, RootKey root, const std::string& subKey) {
    std::vector<std::u16string> key;
    if (!subKey.empty()) key = splitKeyName(utf16FromCp1252(subKey));
    if (std::ranges::any_of(key, [](const auto& part) { return part.empty(); })) return std::nullopt;
    switch (root) {
    case kCurrentUser:
        return Location{prefix / "user.reg", std::move(key)};
    case kLocalMachine:
        return Location{prefix / "system.reg", std::move(key)};
    case kUsers:
        if (key.empty() || !sameName(key.front(), u".Default")) return std::nullopt;
        key.erase(key.begin());
        return Location{prefix / "userdef.reg", std::move(key)};
    default:
        return std::nullopt;
    }
}

std::optional<ValueEntry> findValue(std::string_view file, SectionSpan section, const std::u16string& name) {
    for (auto& entry : sectionValues(file, section)) {
        if (sameName(entry.name, name)) return std::move(entry);
    }
    return std::nullopt;
}

bool continuesOntoNextLine(std::string_view text) {
    if (text.ends_with('\n')) text.remove_suffix(1);
    if (text.ends_with('\r')) text.remove_suffix(1);
    return text.ends_with('\\');
}

// The file with the one value set: its own lines replaced, or new lines at the end of its key's
// section (a new section when the key has none yet).
std::string withValue(const std::string& file, const std::vector<std::u16string>& key, const std::u16string& name,
                      const ValueData& value) {
    const auto section = findSection(file, key);
    if (!section) {
        const auto seconds =
            std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
                .count();
        const std::string separator = file.empty() || file.ends_with('\n') ? "\n" : "\n\n";
        return file + separator + sectionHeader(key, seconds) + encodeValueEntry(valueNameText(name), value);
    }
    if (const auto entry = findValue(file, *section, name)) {
        const auto nameText = std::string_view(file).substr(entry->begin, entry->dataBegin - entry->begin);
        return file.substr(0, entry->begin) + encodeValueEntry(nameText, value) + file.substr(entry->end);
    }
    const std::size_t point = insertionPoint(file, *section);
    std::string lead = point > 0 && file[point - 1] != '\n' ? "\n" : "";
    // A cut-off file can end in a hex line still asking for its continuation; a blank line gives
    // it one, or the new value would be read as the rest of that one.
    if (continuesOntoNextLine(std::string_view(file).substr(0, point))) lead += "\n";
    return file.substr(0, point) + lead + encodeValueEntry(valueNameText(name), value) + file.substr(point);
}

// The Windows status that says best why the file could not be replaced.
Status statusOf(const std::error_code& error) {
    switch (error.value()) {
    case EACCES:
    case EPERM:
    case EROFS:
        return kAccessDenied;
    case ENOSPC:
    case EDQUOT:
        return kDiskFull;
    case EFBIG:
        return kFileTooLarge;
    default:
        return kWriteFault;
    }
}

} // namespace

WinePrefixBackend::WinePrefixBackend(std::filesystem::path prefix) : m_prefix(std::move(prefix)) {}

Status WinePrefixBackend::openKey(RootKey root, const std::string& subKey, std::uint32_t access, KeyHandle& handle) {
    auto location = locate(m_prefix, root, subKey);
    if (!location) return kFileNotFound;
    std::string file;
    if (const Status read = readFile(location->file, file); read != kSuccess) return read;
    if (!location->key.empty() && !hasKey(file, location->key)) return kFileNotFound;
    handle = m_nextHandle++;
    m_open.emplace(handle, OpenKey{std::move(location->file), std::move(location->key), access});
    return kSuccess;
}

Status WinePrefixBackend::queryValue(KeyHandle key, const std::string& name, std::uint32_t& type, std::uint8_t* data,
                                     std::uint32_t& size) {
    const auto open = m_open.find(key);
    if (open == m_open.end()) return kInvalidHandle;
    if ((open->second.access & kQueryValueRight) == 0) return kAccessDenied;
    std::string file;
    if (const Status read = readFile(open->second.file, file); read != kSuccess) return read;
    const auto section = findSection(file, open->second.key);
    if (!section) return kFileNotFound;
    const auto entry = findValue(file, *section, utf16FromCp1252(name));
    if (!entry) return kFileNotFound;
    const auto value = decodeValueData(entry->data);
    if (!value) return kFileNotFound;
    type = value->type;
    const auto needed = static_cast<std::uint32_t>(value->bytes.size());
    if (data == nullptr) {
        size = needed;
        return kSuccess;
    }
    if (size < needed) {
        size = needed;
        return kMoreData;
    }
    std::memcpy(data, value->bytes.data(), needed);
    size = needed;
    return kSuccess;
}

Status WinePrefixBackend::setValue(KeyHandle key, const std::string& name, std::uint32_t type, const std::uint8_t* data,
                                   std::uint32_t size) {
    const auto open = m_open.find(key);
    if (open == m_open.end()) return kInvalidHandle;
    if ((open->second.access & kSetValueRight) == 0) return kAccessDenied;
    if (data == nullptr && size > 0) return kInvalidParameter;
    // Held from before the file is read until it is replaced: a server starting meanwhile waits
    // and then loads the file with the value in it.
    const auto serverLock = WineServerLock::take(m_prefix);
    if (const auto* holder = std::get_if<LockHolder>(&serverLock))
        return *holder == LockHolder::Velberd ? kLockViolation : kBusy;
    std::string file;
    if (const Status read = readFile(open->second.file, file); read != kSuccess) return read;
    if (!open->second.key.empty() && !hasKey(file, open->second.key)) return kFileNotFound;
    const ValueData value{type, size > 0 ? std::string(reinterpret_cast<const char*>(data), size) : std::string()};
    const std::string updated = withValue(file, open->second.key, utf16FromCp1252(name), value);
    if (const auto error = replaceFileAtomically(open->second.file, updated)) return statusOf(error);
    return kSuccess;
}

Status WinePrefixBackend::closeKey(KeyHandle key) {
    return m_open.erase(key) > 0 ? kSuccess : kInvalidHandle;
}

std::filesystem::path prefixFromEnvironment() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && *prefix != '\0') return prefix;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "") / ".wine";
}

} // namespace velberd::registry
