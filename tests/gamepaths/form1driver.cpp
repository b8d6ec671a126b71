#include "form1driver.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTest>

Form1Driver::Form1Driver()
    : m_window(std::make_unique<dorrick::Form1>(m_folder.path(),
                                                [this](QWidget*, const QString& text) { m_messages << text; })) {
    m_window->show();
    m_exposed = QTest::qWaitForWindowExposed(m_window.get());
}

QLineEdit* Form1Driver::Text1() const {
    return m_window->findChild<QLineEdit*>(QStringLiteral("Text1"));
}

QLineEdit* Form1Driver::Text2() const {
    return m_window->findChild<QLineEdit*>(QStringLiteral("Text2"));
}

QPushButton* Form1Driver::Command1() const {
    return m_window->findChild<QPushButton*>(QStringLiteral("Command1"));
}

void Form1Driver::retype(QLineEdit* field, const QString& text) {
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    // One key event per character, carrying the character itself, so any character can be typed.
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(character), Qt::NoModifier);
}

void Form1Driver::paste(QLineEdit* field, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

void Form1Driver::save() {
    QTest::mouseClick(Command1(), Qt::LeftButton);
}

QString Form1Driver::dirsPath() const {
    return QDir(m_folder.path()).filePath(QStringLiteral("dirs.txt"));
}

QByteArray Form1Driver::dirsBytes() const {
    QFile file(dirsPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Form1Driver::writeDirs(const QByteArray& bytes) const {
    QFile file(dirsPath());
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

QStringList Form1Driver::folderEntries() const {
    return QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}
