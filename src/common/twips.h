#pragma once

#include <QRect>

namespace velberd {

// Layouts are drawn in twips, 15 to a pixel at the standard 96 dots per inch; Qt scales the
// pixels on high-density screens.
constexpr int fromTwips(int twips) {
    return twips / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return {fromTwips(left), fromTwips(top), fromTwips(width), fromTwips(height)};
}

} // namespace velberd
