#pragma once

#include "gamepaths/dirsfile.h"

#include <QWidget>
#include <functional>

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

    QLineEdit* m_classicPath;
    QLineEdit* m_secretFilesPath;
    QPushButton* m_save;

    QString m_programFolder;
    Notifier m_notify;
};

} // namespace dorrick
