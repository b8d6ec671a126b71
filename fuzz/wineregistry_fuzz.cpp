// A Wine registry file as any program or disk may have left it: read it, set one value in it,
// and read that value back. The write must change the lines of that value and nothing else.
#include "chareditor/registry/cp1252.h"
#include "chareditor/registry/winefile.h"
#include "chareditor/registry/wineprefixbackend.h"
#include "chareditor/registry/winevalue.h"
#include "check.h"
#include "wineserverfolders.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

using namespace velberd::registry;
using velberd::fuzz::require;

namespace {

// The input: key NUL name NUL, a type byte (odd: string, even: binary), a length byte, that many
// bytes of value, and the rest is the file.
struct Case {
    std::string key;
    std::string name;
    std::uint32_t type = kRegBinary;
    std::string value;
    std::string file;
};

std::optional<Case> readCase(std::string_view input) {
    Case c;
    const auto keyEnd = input.find('\0');
    if (keyEnd == std::string_view::npos) return std::nullopt;
    c.key = input.substr(0, keyEnd);
    const auto nameEnd = input.find('\0', keyEnd + 1);
    if (nameEnd == std::string_view::npos || nameEnd + 2 >= input.size()) return std::nullopt;
    c.name = input.substr(keyEnd + 1, nameEnd - keyEnd - 1);
    c.type = (input[nameEnd + 1] & 1) != 0 ? kRegSz : kRegBinary;
    const auto length =
        std::min<std::size_t>(static_cast<unsigned char>(input[nameEnd + 2]), input.size() - nameEnd - 3);
    c.value = input.substr(nameEnd + 3, length);
    c.file = input.substr(nameEnd + 3 + length);
    if (c.type == kRegSz) {
        // As the access layer writes a string: its text and one terminator.
        std::erase(c.value, '\0');
        c.value.push_back('\0');
    }
    return c;
}

void removePrefix();

// A fresh folder of the run's own, in memory where it can be: a name made in advance could be
// there already, as a link to any file, which the writes would then replace.
const std::filesystem::path& prefix() {
    static const auto folder = [] {
        const std::filesystem::path shm("/dev/shm");
        std::string pattern = ((std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path()) /
                               "velberd-fuzz-XXXXXX")
                                  .string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return std::filesystem::path(pattern);
    }();
    // Registered once the folder is made, so that it runs before the folder's name is destroyed.
    [[maybe_unused]] static const bool removedAtExit = std::atexit(removePrefix) == 0;
    return folder;
}

// The prefix goes when the run ends, with the Wine server folders its writes locked.
void removePrefix() {
    velberd::test::removeWineServerFolders(prefix());
    std::error_code ignored;
    std::filesystem::remove_all(prefix(), ignored);
}

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::optional<ValueEntry> findValue(std::string_view file, SectionSpan section, std::u16string_view name) {
    for (auto& entry : sectionValues(file, section)) {
        if (sameName(entry.name, name)) return std::move(entry);
    }
    return std::nullopt;
}

std::size_t commonPrefix(std::string_view a, std::string_view b) {
    return static_cast<std::size_t>(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
}

// The bytes of `before` outside [begin, end) are all still in `after`, in place around the new
// lines: nothing in front of the changed lines and nothing behind them moved.
void requireKeptAround(std::string_view before, std::string_view after, std::size_t begin, std::size_t end) {
    const auto tail = before.size() - end;
    require(after.size() >= begin + tail, "the file did not shrink into its neighbours");
    require(after.substr(0, begin) == before.substr(0, begin), "every byte in front of the value survives");
    require(after.substr(after.size() - tail) == before.substr(end), "every byte behind the value survives");
}

void readEverything(std::string_view file, const std::vector<std::u16string>& key) {
    hasKey(file, key);
    if (const auto section = findSection(file, key)) {
        for (const auto& entry : sectionValues(file, *section))
            decodeValueData(entry.data);
        insertionPoint(file, *section);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto c = readCase(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!c) return 0;
    const auto key = c->key.empty() ? std::vector<std::u16string>{} : splitKeyName(utf16FromCp1252(c->key));
    readEverything(c->file, key);

    const auto userReg = prefix() / "user.reg";
    writeFile(userReg, c->file);
    WinePrefixBackend backend(prefix());
    KeyHandle handle = 0;
    if (backend.openKey(kCurrentUser, c->key, kKeyRead | kKeyWrite, handle) != kSuccess) return 0;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(c->value.data());
    const auto length = static_cast<std::uint32_t>(c->value.size());
    require(backend.setValue(handle, c->name, c->type, bytes, length) == kSuccess, "an open key takes a value");
    const auto after = readFile(userReg);

    const auto name = utf16FromCp1252(c->name);
    const auto section = findSection(c->file, key);
    if (!section) {
        require(after.starts_with(c->file), "a new key goes behind everything");
    } else if (const auto old = findValue(c->file, *section, name)) {
        requireKeptAround(c->file, after, old->begin, old->end);
    } else {
        // Only an insertion: what is common at both ends covers the whole old file.
        const auto front = commonPrefix(c->file, after);
        const auto back = static_cast<std::size_t>(
            std::mismatch(c->file.rbegin(), c->file.rend(), after.rbegin(), after.rend()).first - c->file.rbegin());
        require(front + back >= c->file.size(), "a new value is only an insertion");
    }

    std::uint32_t type = 0;
    std::uint32_t readSize = length;
    std::string read(length, '\0');
    require(backend.queryValue(handle, c->name, type, reinterpret_cast<std::uint8_t*>(read.data()), readSize) ==
                kSuccess,
            "the value just written can be read");
    require(type == c->type && readSize == length && read == c->value, "the value reads back as written");
    backend.closeKey(handle);
    return 0;
}
