#pragma once

#include "gamepaths/dirsfile.h"

#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dorrick {

// Shows a message over the window; tests record it instead.
using Notifier = std::function<void(QWidget* window, const QString& text)>;

// A modal message box with an exclamation icon, captioned with the window's title.
void showMessageBox(QWidget* window, const QString& text);

// Dorrick's only window: two game paths and a Save button that writes them to dirs.txt in
// programFolder. A save that does not happen says why.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(QString programFolder, Notifier notify = showMessageBox, QWidget* parent = nullptr);

private:
    void Command1_Click();

    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QPushButton* Command1;
    QFrame* Line1;
    QFrame* Line2;
    QFrame* Line3;
    QFrame* Line4;

    QString m_programFolder;
    Notifier m_notify;
};

} // namespace dorrick
