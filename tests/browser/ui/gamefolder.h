#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace velberd::test {

// Stand-ins for the game's programs in a folder of a test's own. Nothing here is ever run: the
// window's process starter is a recording stand-in.
class GameFolder {
public:
    // Makes a program this system starts directly, and the folders on its way; gives its path.
    QString make(const QString& relativePath) const {
        const QString path = m_folder.filePath(relativePath);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
#ifdef Q_OS_WIN
        file.write("MZ");
#else
        file.write("#!/bin/sh\n");
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
#endif
        return path;
    }

    QString path() const {
        return m_folder.path();
    }

    // A dirs.txt naming a program for each of the two games.
    QByteArray dirsTxt() const {
        return (make(QStringLiteral("jazz2")) + "\r\n" + make(QStringLiteral("jazz2tsf")) + "\r\n").toLocal8Bit();
    }

private:
    QTemporaryDir m_folder;
};

} // namespace velberd::test
