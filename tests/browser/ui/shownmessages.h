#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace velberd::test {

// A modal message box as the player saw it.
struct ShownMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Clicks a control and reads every modal message box the click opens, pressing its OK as the
// player would. The boxes run their own event loops, in which a timer reads them.
inline QList<ShownMessage> clickAndReadMessages(QWidget* control) {
    QList<ShownMessage> shown;
    QTimer reader;
    reader.setInterval(10);
    QObject::connect(&reader, &QTimer::timeout, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        shown.append({box->windowTitle(), box->text(), box->icon()});
        box->button(QMessageBox::Ok)->click();
    });
    reader.start();
    QTest::mouseClick(control, Qt::LeftButton);
    return shown;
}

} // namespace velberd::test
