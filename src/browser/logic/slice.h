#pragma once

#include <optional>
#include <string>
#include <string_view>

// Text positions as the browser's field rules speak of them: 1-based, held as 16-bit signed
// integers. A slice that cannot be taken (start below 1, negative length, a position past 32767)
// gives no value: the field that needed it cannot be read.
namespace velberd {

inline constexpr int kMaxPosition = 32767;

// 1-based position of the first occurrence of marker at or after position from; 0 when absent.
// A position beyond kMaxPosition is reported as -1: it does not fit, and slicing with it fails.
int positionOf(std::string_view text, std::string_view marker, int from = 1);

// At most length characters starting at position start; shorter where the text ends sooner.
std::optional<std::string> slice(std::string_view text, int start, int length);

// The first count characters.
std::optional<std::string> leftOf(std::string_view text, int count);

} // namespace velberd
