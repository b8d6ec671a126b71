#pragma once

#include <QRect>
#include <QString>

namespace velberd {

// Layouts are drawn in twips, 15 to a pixel at the standard 96 dots per inch; Qt scales the
// pixels on high-density screens.
constexpr int fromTwips(int twips) {
    return twips / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return {fromTwips(left), fromTwips(top), fromTwips(width), fromTwips(height)};
}

// A control of a layout placed by hand, named so that tests and tools find it.
template <typename Widget> Widget* place(Widget* widget, const char* name, const QRect& geometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

} // namespace velberd
