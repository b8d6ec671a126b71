#include "browser/ui/gameprogram.h"

#include "browser/logic/launch.h"
#include "common/ansitext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace velberd {
namespace {

// Every Windows program starts with the two bytes "MZ".
bool isWindowsProgram(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(2) == "MZ";
}

#ifndef Q_OS_WIN
bool hasDriveLetter(const QString& path) {
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:[\\\\/]"));
    return drive.match(path).hasMatch();
}

// The entry of a folder whose name equals `name` without regard to case; the exact name first.
QString entryIgnoringCase(const QString& folder, const QString& name) {
    if (QFileInfo::exists(QDir(folder).filePath(name))) return name;
    const auto entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const auto& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return entry;
    }
    return {};
}

// The names of a drive-letter path below its drive's root, as Windows reads it: "." is dropped and
// ".." takes back the name before it, but never the root.
QStringList namesBelowRoot(const QString& windowsPath) {
    QStringList names;
    for (const auto& name :
         windowsPath.mid(2).split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts)) {
        if (name == QLatin1String(".")) continue;
        if (name == QLatin1String("..")) {
            if (!names.isEmpty()) names.removeLast();
            continue;
        }
        names << name;
    }
    return names;
}

// The file a drive-letter path names in the Wine prefix, or nothing. Wine reaches each drive
// through the link "dosdevices/c:" in the prefix; a prefix Wine has not made yet will have its z:
// at the root folder.
QString fileInWinePrefix(const QString& windowsPath, const QString& prefix) {
    const QChar drive = windowsPath.at(0).toLower();
    QString found = prefix + QStringLiteral("/dosdevices/") + drive + QLatin1Char(':');
    if (!QFileInfo::exists(found)) {
        if (drive != QLatin1Char('z')) return {};
        found = QStringLiteral("/");
    }
    for (const auto& name : namesBelowRoot(windowsPath)) {
        const QString entry = entryIgnoringCase(found, name);
        if (entry.isEmpty()) return {};
        found = QDir(found).filePath(entry);
    }
    return found;
}
#endif

} // namespace

QString gameFile(const QString& gamePath, const QString& winePrefix) {
#ifdef Q_OS_WIN
    Q_UNUSED(winePrefix);
    return QFileInfo::exists(gamePath) ? gamePath : QString();
#else
    if (hasDriveLetter(gamePath)) return fileInWinePrefix(gamePath, winePrefix);
    return QFileInfo::exists(gamePath) ? gamePath : QString();
#endif
}

std::optional<GameProblem> gameProblem(const QString& gamePath, const QString& winePrefix) {
    if (gamePath.isEmpty() || gamePath == kGamePathPlaceholder) return GameProblem::NoPath;
#ifdef Q_OS_WIN
    const QFileInfo file(gameFile(gamePath, winePrefix));
    if (!file.exists()) return GameProblem::Missing;
    if (!file.isFile() || !isWindowsProgram(gamePath)) return GameProblem::NotAProgram;
#else
    const bool inPrefix = hasDriveLetter(gamePath);
    const bool throughWine = runsThroughWine(gamePath.toStdString());
    if ((inPrefix || throughWine) && QStandardPaths::findExecutable(QStringLiteral("wine")).isEmpty())
        return GameProblem::NoWine;
    const QString path = gameFile(gamePath, winePrefix);
    const QFileInfo file(path);
    if (path.isEmpty() || !file.exists()) return GameProblem::Missing;
    if (!file.isFile()) return GameProblem::NotAProgram;
    // Only wine starts a file in the prefix, and only a name ending in ".exe" is given to wine.
    if (inPrefix && !throughWine) return GameProblem::NotAProgram;
    if (throughWine ? !isWindowsProgram(path) : !file.isExecutable()) return GameProblem::NotAProgram;
#endif
    return std::nullopt;
}

QString gameProblemMessage(GameProblem problem, const QString& gamePath) {
    switch (problem) {
    case GameProblem::NoPath:
        return QStringLiteral("No game path is recorded. Run Dorrick, which is installed beside Velberd, to record "
                              "where your two game programs are, then start Velberd again.");
    case GameProblem::Missing:
        return QStringLiteral("The game program \"%1\" does not exist. Run Dorrick to record where your game "
                              "programs are, then start Velberd again.")
            .arg(gamePath);
    case GameProblem::NotAProgram:
        return QStringLiteral("\"%1\" is not a program. Run Dorrick and choose the game's program file "
                              "(Jazz2.exe), then start Velberd again.")
            .arg(gamePath);
    case GameProblem::NoWine:
        return QStringLiteral("The game is a Windows program, and Wine, which runs it here, is not installed. "
                              "Install Wine with your distribution's package manager (on Debian or Ubuntu: "
                              "sudo apt install wine), then press Join again.");
    }
    return {};
}

QString refusedStartMessage(const QString& gamePath, const QString& reason) {
    return QStringLiteral("The game \"%1\" did not start: %2\n\nCheck that it is the game and that you may run it, "
                          "or run Dorrick to record another path, then start Velberd again.")
        .arg(gamePath, reason);
}

std::optional<QString> codePageProblemMessage(const QString& gamePath, const QString& logFolder) {
    if (const QString lacking = toAnsi(gamePath).lacking; !lacking.isEmpty()) {
        return QStringLiteral("The game path \"%1\" holds characters the game cannot be given: %2. Move the game to "
                              "a folder whose path has none of them, run Dorrick to record it, then start Velberd "
                              "again.")
            .arg(gamePath, lacking);
    }
    if (const QString lacking = toAnsi(logFolder).lacking; !lacking.isEmpty()) {
        return QStringLiteral("The game cannot be told to keep its log in Velberd's folder \"%1\", which holds "
                              "characters the game cannot be given: %2. Untick \"logger\", or move Velberd to a "
                              "folder whose path has none of them, then press Join again.")
            .arg(logFolder, lacking);
    }
    return std::nullopt;
}

} // namespace velberd
