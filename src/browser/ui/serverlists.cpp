#include "browser/logic/entryheader.h"
#include "browser/logic/serverlist.h"
#include "browser/ui/mainwindow.h"
#include "common/ansitext.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

namespace velberd {

// The raw entries and their names, index for index.
void MainWindow::showServerList(const std::vector<std::string>& entries) {
    // Rebuilding clears the selection without it counting as the player's choice.
    const QSignalBlocker quiet(m_serverList);
    m_entryList->clear();
    m_serverList->clear();
    for (const auto& entry : entries) {
        auto* raw = new QListWidgetItem(toCaption(entry), m_entryList);
        raw->setData(Qt::UserRole, QByteArray(entry.data(), static_cast<qsizetype>(entry.size())));
        m_serverList->addItem(toCaption(displayName(entry)));
    }
    // Marks "no current row" as chosen, or the list would make its first row current, and so
    // select a server, when it next gets the focus from the keyboard or the window.
    m_serverList->setCurrentIndex(QModelIndex());
    m_serverCount->setText(QString::number(m_serverList->count()));
    m_serverList->setEnabled(true);
}

// The raw-entry list is never shown, but should it ever take the focus, lose it or get a key, it
// shows the header of its current entry: on a key, before the list moves its selection, so the
// header is that of the entry current until now.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_entryList) {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::KeyPress:
            showEntryHeader(readEntryHeader(currentEntry()));
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace velberd
