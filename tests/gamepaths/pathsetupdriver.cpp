#include "pathsetupdriver.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTest>

PathSetupDriver::PathSetupDriver()
    : m_window(std::make_unique<dorrick::PathSetupWindow>(
          m_folder.path(), [this](QWidget*, const QString& text) { m_messages << text; })) {
    m_window->show();
    m_exposed = QTest::qWaitForWindowExposed(m_window.get());
}

QLineEdit* PathSetupDriver::Text1() const {
    return m_window->findChild<QLineEdit*>(QStringLiteral("Text1"));
}

QLineEdit* PathSetupDriver::Text2() const {
    return m_window->findChild<QLineEdit*>(QStringLiteral("Text2"));
}

QPushButton* PathSetupDriver::Command1() const {
    return m_window->findChild<QPushButton*>(QStringLiteral("Command1"));
}

void PathSetupDriver::retype(QLineEdit* field, const QString& text) {
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    // One key event per character, carrying the character itself, so any character can be typed.
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(character), Qt::NoModifier);
}

void PathSetupDriver::paste(QLineEdit* field, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

void PathSetupDriver::save() {
    QTest::mouseClick(Command1(), Qt::LeftButton);
}

QString PathSetupDriver::dirsPath() const {
    return QDir(m_folder.path()).filePath(QStringLiteral("dirs.txt"));
}

QByteArray PathSetupDriver::dirsBytes() const {
    QFile file(dirsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void PathSetupDriver::writeDirs(const QByteArray& bytes) const {
    QFile file(dirsPath());
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

QStringList PathSetupDriver::folderEntries() const {
    return QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}
