#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace velberd::test {

// Stand-ins for the game's files in a folder of a test's own. Nothing here is ever run: the
// window's process starter is a recording stand-in.
class GameFolder {
public:
    enum class Kind {
        Program,        // a program this system starts directly
        WindowsProgram, // begins as every Windows program does
        Text,           // a file that is no program
    };

    // Makes the file and the folders on its way; gives its path.
    QString make(const QString& relativePath, Kind kind) const {
        const QString path = m_folder.filePath(relativePath);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        switch (kind) {
        case Kind::Program:
#ifdef Q_OS_WIN
            file.write(QByteArray("MZ").leftJustified(64, '\0'));
#else
            file.write("#!/bin/sh\n");
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
#endif
            break;
        case Kind::WindowsProgram:
            file.write(QByteArray("MZ").leftJustified(64, '\0'));
            break;
        case Kind::Text:
            file.write("Jazz Jackrabbit 2\n");
            break;
        }
        return path;
    }

    QString path() const {
        return m_folder.path();
    }

    // A dirs.txt naming a program for each of the two games.
    QByteArray dirsTxt() const {
        return (make(QStringLiteral("jazz2"), Kind::Program) + "\r\n" +
                make(QStringLiteral("jazz2tsf"), Kind::Program) + "\r\n")
            .toLocal8Bit();
    }

private:
    QTemporaryDir m_folder;
};

} // namespace velberd::test
