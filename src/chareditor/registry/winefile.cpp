#include "chareditor/registry/winefile.h"

#include "chareditor/registry/winestring.h"

#include <algorithm>
#include <string>

namespace velberd::registry {
namespace {

struct Line {
    std::size_t begin = 0;
    std::size_t next = 0;  // start of the following line
    std::string_view text; // without its line feed and carriage return
};

Line lineAt(std::string_view file, std::size_t begin) {
    const auto feed = file.find('\n', begin);
    const std::size_t end = feed == std::string_view::npos ? file.size() : feed;
    const std::size_t next = feed == std::string_view::npos ? file.size() : feed + 1;
    auto text = file.substr(begin, end - begin);
    if (text.ends_with('\r')) text.remove_suffix(1);
    return {begin, next, text};
}

char16_t foldCase(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
    return c;
}

bool isBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::string_view trimLeft(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::optional<ValueEntry> valueAt(std::string_view file, const Line& line) {
    ValueEntry entry;
    std::size_t pos = 0;
    if (line.text.starts_with("@=")) {
        pos = 2;
    } else if (line.text.starts_with('"')) {
        pos = 1;
        auto name = parseWineString(line.text, pos, '"');
        if (!name || pos >= line.text.size() || line.text[pos] != '=') return std::nullopt;
        entry.name = std::move(*name);
        ++pos;
    } else {
        return std::nullopt;
    }
    entry.begin = line.begin;
    entry.dataBegin = line.begin + pos;
    auto data = line.text.substr(pos);
    Line current = line;
    // Only hex data goes on over several lines; a quoted string may well end in a backslash.
    const bool hex = data.starts_with("hex");
    while (hex && data.ends_with('\\') && current.next < file.size()) {
        entry.data += data.substr(0, data.size() - 1);
        current = lineAt(file, current.next);
        data = trimLeft(current.text);
    }
    entry.data += data;
    entry.end = current.next;
    return entry;
}

std::optional<std::vector<std::u16string>> sectionName(std::string_view line) {
    if (!line.starts_with('[')) return std::nullopt;
    std::size_t pos = 1;
    const auto name = parseWineString(line, pos, ']');
    if (!name) return std::nullopt;
    if (name->empty()) return std::vector<std::u16string>{};
    return splitKeyName(*name);
}

} // namespace

bool sameName(std::u16string_view a, std::u16string_view b) {
    return std::ranges::equal(a, b, [](char16_t x, char16_t y) { return foldCase(x) == foldCase(y); });
}

std::vector<std::u16string> splitKeyName(std::u16string_view name) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    while (true) {
        const auto slash = name.find(u'\\', start);
        parts.emplace_back(name.substr(start, slash == std::u16string_view::npos ? slash : slash - start));
        if (slash == std::u16string_view::npos) return parts;
        start = slash + 1;
    }
}

std::optional<SectionSpan> findSection(std::string_view file, const std::vector<std::u16string>& key) {
    std::optional<SectionSpan> found;
    for (std::size_t begin = 0; begin < file.size();) {
        const Line line = lineAt(file, begin);
        begin = line.next;
        if (!line.text.starts_with('[')) continue;
        if (found) {
            found->bodyEnd = line.begin;
            return found;
        }
        const auto parts = sectionName(line.text);
        if (parts && std::ranges::equal(*parts, key, sameName)) found = SectionSpan{line.next, file.size()};
    }
    return found;
}

bool hasKey(std::string_view file, const std::vector<std::u16string>& key) {
    for (std::size_t begin = 0; begin < file.size();) {
        const Line line = lineAt(file, begin);
        begin = line.next;
        const auto parts = sectionName(line.text);
        if (parts && parts->size() >= key.size() &&
            std::equal(key.begin(), key.end(), parts->begin(),
                       [](const auto& a, const auto& b) { return sameName(a, b); })) {
            return true;
        }
    }
    return false;
}

std::string sectionHeader(const std::vector<std::u16string>& key, long long seconds) {
    std::string header = "[";
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (i > 0) header += "\\\\";
        header += dumpWineString(key[i], "[]");
    }
    return header + "] " + std::to_string(seconds) + "\n";
}

std::vector<ValueEntry> sectionValues(std::string_view file, SectionSpan section) {
    std::vector<ValueEntry> values;
    for (std::size_t begin = section.bodyBegin; begin < section.bodyEnd;) {
        const Line line = lineAt(file, begin);
        auto entry = valueAt(file, line);
        begin = entry ? entry->end : line.next;
        if (entry) values.push_back(std::move(*entry));
    }
    return values;
}

std::size_t insertionPoint(std::string_view file, SectionSpan section) {
    std::size_t point = section.bodyBegin;
    for (std::size_t begin = section.bodyBegin; begin < section.bodyEnd;) {
        const Line line = lineAt(file, begin);
        begin = line.next;
        if (!isBlank(line.text)) point = line.next;
    }
    return point;
}

} // namespace velberd::registry
