#include "gamepaths/pathsetupwindow.h"

#include "common/twips.h"

#include <QDir>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace dorrick {

namespace {

using velberd::fromTwips;
using velberd::place;
using velberd::twipsRect;

// A one-pixel line between two points in twips; the border's lines are all horizontal or vertical.
QFrame* line(QWidget* parent, const char* name, QPoint from, QPoint to, const QColor& colour) {
    auto* frame =
        place(new QFrame(parent), name,
              QRect(QPoint(fromTwips(from.x()), fromTwips(from.y())), QPoint(fromTwips(to.x()), fromTwips(to.y()))));
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, colour);
    frame->setPalette(palette);
    frame->setAutoFillBackground(true);
    return frame;
}

} // namespace

void showMessageBox(QWidget* window, const QString& text) {
    QMessageBox box(QMessageBox::Warning, window->windowTitle(), text, QMessageBox::Ok, window);
    box.exec();
}

PathSetupWindow::PathSetupWindow(QString programFolder, Notifier notify, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_programFolder(std::move(programFolder)), m_notify(std::move(notify)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Dorrick - Velberd"));
    setFixedSize(fromTwips(4590), fromTwips(855));
    // The layout is drawn for small sans-serif type; Arial (or its metric twin) keeps
    // every caption inside its control.
    QFont type(QStringLiteral("Arial"));
    type.setPointSizeF(8.25);
    setFont(type);

    place(new QLabel(QStringLiteral("1.21-3:"), this), "Label1", twipsRect(0, 120, 495, 255));
    place(new QLabel(QStringLiteral("TSF:"), this), "Label2", twipsRect(0, 480, 495, 255));
    m_classicPath = place(new QLineEdit(QStringLiteral("c:\\games\\jazz2\\jazz2.exe"), this), "Text1",
                          twipsRect(600, 120, 3135, 285));
    m_secretFilesPath = place(new QLineEdit(QStringLiteral("c:\\games\\jazz2tsf\\jazz2.exe"), this), "Text2",
                              twipsRect(600, 480, 3135, 285));
    m_save = place(new QPushButton(QStringLiteral("Save"), this), "Command1", twipsRect(3840, 240, 615, 375));

    // The sunken border around Save: dark top and left edges, light grey bottom and right edges.
    const QColor dark = palette().color(QPalette::WindowText);
    const QColor lightGrey(0xE0, 0xE0, 0xE0);
    line(this, "Line1", {3825, 225}, {4470, 225}, dark);
    line(this, "Line2", {3830, 225}, {3830, 615}, dark);
    line(this, "Line3", {3825, 615}, {4470, 615}, lightGrey);
    line(this, "Line4", {4460, 225}, {4460, 615}, lightGrey);

    setTabOrder(m_classicPath, m_secretFilesPath);
    setTabOrder(m_secretFilesPath, m_save);

    connect(m_save, &QPushButton::clicked, this, &PathSetupWindow::save);
}

// Nothing is saved when a path cannot be stored or the file cannot be replaced: the old file stays
// as it was, the fields keep what was typed, and the user may save again.
void PathSetupWindow::save() {
    const DirsFile file = composeDirsFile(m_classicPath->text(), m_secretFilesPath->text());
    if (!file.unstorableLabel.isEmpty()) {
        m_notify(this, QStringLiteral("dirs.txt was not saved.\n\nThe %1 path holds characters that the game's code "
                                      "page cannot store: %2\nChoose a folder whose path has none of them.")
                           .arg(file.unstorableLabel, file.lacking));
        return;
    }
    const QString failure = replaceFile(QDir(m_programFolder).filePath(QStringLiteral("dirs.txt")), file.bytes);
    if (!failure.isEmpty()) {
        m_notify(this,
                 QStringLiteral("dirs.txt was not saved: %1\n\nA dirs.txt saved before stays as it was.").arg(failure));
    }
}

} // namespace dorrick
