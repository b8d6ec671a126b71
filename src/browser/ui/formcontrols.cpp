#include "browser/ui/formcontrols.h"

#include <QCheckBox>
#include <QLabel>

namespace velberd {

QFont fontOf(const QString& family, qreal points) {
    QFont font(family);
    font.setPointSizeF(points);
    return font;
}

QFont narrowFont(qreal points) {
    return fontOf(QStringLiteral("Arial Narrow"), points);
}

QLabel* plainLabel(QLabel* widget, Qt::Alignment alignment) {
    widget->setAlignment(alignment | Qt::AlignVCenter);
    // Labels show what servers send; a name that looks like markup is still just text.
    widget->setTextFormat(Qt::PlainText);
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
              Qt::Alignment alignment) {
    return plainLabel(place(new QLabel(caption, parent), name, geometry, narrowFont(9.75)), alignment);
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, const QRect& geometry, bool checked) {
    auto* widget = place(new QCheckBox(caption, parent), name, geometry, narrowFont(9.0));
    widget->setChecked(checked);
    return widget;
}

} // namespace velberd
