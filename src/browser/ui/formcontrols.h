#pragma once

#include "common/twips.h"

#include <QFont>
#include <QRect>
#include <QString>

class QCheckBox;
class QLabel;
class QWidget;

namespace velberd {

// The window's controls are placed by hand at twips positions, in the fonts the layout is drawn for.
QFont fontOf(const QString& family, qreal points);
QFont narrowFont(qreal points);

template <typename Widget> Widget* place(Widget* widget, const char* name, const QRect& geometry, const QFont& font) {
    widget->setFont(font);
    return place(widget, name, geometry);
}

// Sets up a label that is already placed: what servers send shows as plain text.
QLabel* plainLabel(QLabel* widget, Qt::Alignment alignment);
QLabel* label(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
              Qt::Alignment alignment = Qt::AlignLeft);
QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, const QRect& geometry, bool checked);

} // namespace velberd
