#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace velberd {

// A caption that acts on a click, as the "Your IP:" and "Character Editor" labels do.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
        QLabel::mouseReleaseEvent(event);
    }
};

} // namespace velberd
