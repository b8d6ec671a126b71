#include "browser/ui/mainwindow.h"

#include <QEvent>
#include <QListWidget>

namespace velberd {

// The raw-entry list is never shown, but should it ever take the focus or a key, it shows the
// header of its current entry.
void MainWindow::List1_GotFocus() {
    showEntryHeader();
}

void MainWindow::List1_LostFocus() {
    showEntryHeader();
}

void MainWindow::List1_KeyDown() {
    showEntryHeader();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List1) {
        switch (event->type()) {
        case QEvent::FocusIn:
            List1_GotFocus();
            break;
        case QEvent::FocusOut:
            List1_LostFocus();
            break;
        // Before the list moves its selection, so the header is that of the entry current until now.
        case QEvent::KeyPress:
            List1_KeyDown();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace velberd
