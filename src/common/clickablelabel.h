#pragma once

#include <QLabel>

namespace velberd {

// A caption that acts on a click, as the "Your IP:" and "Character Editor" labels do.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace velberd
