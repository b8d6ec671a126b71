#include "common/clickablelabel.h"

#include <QMouseEvent>

namespace velberd {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace velberd
