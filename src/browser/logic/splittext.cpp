#include "browser/logic/splittext.h"

#include <algorithm>

namespace velberd {
namespace {

constexpr std::size_t kPieceBlock = 100;

unsigned char foldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    // Windows-1252: À..Þ map to à..þ, except × (0xD7); Š, Œ, Ž and Ÿ have partners elsewhere.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0x8A:
        return 0x9A;
    case 0x8C:
        return 0x9C;
    case 0x8E:
        return 0x9E;
    case 0x9F:
        return 0xFF;
    default:
        return c;
    }
}

std::size_t findFrom(std::string_view text, std::string_view delimiter, std::size_t start, Compare compare) {
    if (compare == Compare::Binary) return text.find(delimiter, start);
    const auto same = [](char a, char b) {
        return foldCase(static_cast<unsigned char>(a)) == foldCase(static_cast<unsigned char>(b));
    };
    const auto it = std::search(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(), delimiter.begin(),
                                delimiter.end(), same);
    return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
}

} // namespace

std::vector<std::string> splitText(std::string_view expression, std::string_view delimiter, int limit,
                                   Compare compare) {
    std::vector<std::string> pieces;
    if (expression.empty() || limit == 0) return pieces;
    if (delimiter.empty()) {
        pieces.emplace_back(expression);
        return pieces;
    }
    // The store grows a block of pieces at a time rather than piece by piece.
    pieces.reserve(kPieceBlock);
    const auto room = limit > 0 ? static_cast<std::size_t>(limit) : std::string_view::npos;
    std::size_t start = 0;
    auto found = findFrom(expression, delimiter, start, compare);
    while (found != std::string_view::npos && pieces.size() + 1 < room) {
        if (pieces.size() == pieces.capacity()) pieces.reserve(pieces.size() + kPieceBlock);
        pieces.emplace_back(expression.substr(start, found - start));
        start = found + delimiter.size();
        found = findFrom(expression, delimiter, start, compare);
    }
    if (start < expression.size()) {
        if (pieces.size() == pieces.capacity()) pieces.reserve(pieces.size() + 1);
        pieces.emplace_back(expression.substr(start));
    }
    pieces.shrink_to_fit();
    return pieces;
}

} // namespace velberd
