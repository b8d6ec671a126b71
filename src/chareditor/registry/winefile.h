#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Finding keys and values in the text of a Wine registry file by their byte offsets, so that a
// write can replace exactly the lines of one value and keep every other byte.
namespace velberd::registry {

struct SectionSpan {
    std::size_t bodyBegin = 0; // just behind the "[key] time" line
    std::size_t bodyEnd = 0;   // start of the next section's line, or the end of the file
};

struct ValueEntry {
    std::u16string name;
    std::size_t begin = 0; // start of its first line
    std::size_t end = 0;   // just behind the line feed of its last line
    std::size_t dataBegin = 0;
    std::string data; // continuation lines joined
};

// Wine compares key and value names without regard to case.
bool sameName(std::u16string_view a, std::u16string_view b);

std::vector<std::u16string> splitKeyName(std::u16string_view name);

std::optional<SectionSpan> findSection(std::string_view file, const std::vector<std::u16string>& key);
// A key exists when it has a section of its own or lies on the path of one: Wine writes no
// section for a key that holds nothing but sub-keys.
bool hasKey(std::string_view file, const std::vector<std::u16string>& key);
std::string sectionHeader(const std::vector<std::u16string>& key, long long seconds);
std::vector<ValueEntry> sectionValues(std::string_view file, SectionSpan section);
// Where a new value of the section goes: behind its last line that is not blank.
std::size_t insertionPoint(std::string_view file, SectionSpan section);

} // namespace velberd::registry
