#pragma once

#include "gamepaths/pathsetupwindow.h"

#include <QByteArray>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// Drives a real Dorrick window whose program folder is a fresh temporary folder, and records the
// messages it shows.
class PathSetupDriver {
public:
    PathSetupDriver();

    dorrick::PathSetupWindow& window() { return *m_window; }
    bool exposed() const { return m_exposed; }
    QLineEdit* Text1() const;
    QLineEdit* Text2() const;
    QPushButton* Command1() const;

    // Replaces the text of a field the way a user does: select all, then type.
    void retype(QLineEdit* field, const QString& text);
    // Replaces the text of a field with one pasted from the clipboard: select all, then paste.
    void paste(QLineEdit* field, const QString& text);
    void save();

    QString folder() const { return m_folder.path(); }
    QString dirsPath() const;
    QByteArray dirsBytes() const;
    void writeDirs(const QByteArray& bytes) const;
    QStringList folderEntries() const;
    const QStringList& messages() const { return m_messages; }

private:
    QTemporaryDir m_folder;
    QStringList m_messages;
    std::unique_ptr<dorrick::PathSetupWindow> m_window;
    bool m_exposed = false;
};
