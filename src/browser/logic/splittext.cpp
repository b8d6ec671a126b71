#include "browser/logic/splittext.h"

namespace velberd {

std::vector<std::string> splitText(std::string_view expression, std::string_view delimiter, int limit) {
    std::vector<std::string> pieces;
    if (expression.empty() || limit == 0) return pieces;
    const auto room = limit > 0 ? static_cast<std::size_t>(limit) : std::string_view::npos;
    constexpr auto npos = std::string_view::npos;
    std::size_t start = 0;
    // An empty delimiter occurs nowhere: the expression is one piece.
    auto found = delimiter.empty() ? npos : expression.find(delimiter);
    while (found != npos && pieces.size() + 1 < room) {
        pieces.emplace_back(expression.substr(start, found - start));
        start = found + delimiter.size();
        found = expression.find(delimiter, start);
    }
    if (start < expression.size()) pieces.emplace_back(expression.substr(start));
    return pieces;
}

} // namespace velberd
