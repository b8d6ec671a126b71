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
class PathSetupWindow : public QWidget {
    Q_OBJECT

public:
    explicit PathSetupWindow(QString programFolder, Notifier notify = showMessageBox, QWidget* parent = nullptr);

private:
    void save();

    QLabel* m_classicCaption;
    QLabel* m_secretFilesCaption;
    QLineEdit* m_classicPath;
    QLineEdit* m_secretFilesPath;
    QPushButton* m_save;
    QFrame* m_line1;
    QFrame* m_line2;
    QFrame* m_line3;
    QFrame* m_line4;

    QString m_programFolder;
    Notifier m_notify;
};

} // namespace dorrick
