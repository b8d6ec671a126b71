#include "browser/logic/slice.h"

namespace velberd {

int positionOf(std::string_view text, std::string_view marker, int from) {
    if (from < 1) return -1;
    const auto start = static_cast<std::size_t>(from - 1);
    if (start > text.size()) return 0;
    const auto found = text.find(marker, start);
    if (found == std::string_view::npos) return 0;
    if (found + 1 > static_cast<std::size_t>(kMaxPosition)) return -1;
    return static_cast<int>(found + 1);
}

std::optional<std::string> slice(std::string_view text, int start, int length) {
    if (start < 1 || length < 0) return std::nullopt;
    const auto first = static_cast<std::size_t>(start - 1);
    if (first >= text.size()) return std::string{};
    return std::string{text.substr(first, static_cast<std::size_t>(length))};
}

std::optional<std::string> leftOf(std::string_view text, int count) {
    if (count < 0) return std::nullopt;
    return std::string{text.substr(0, static_cast<std::size_t>(count))};
}

} // namespace velberd
