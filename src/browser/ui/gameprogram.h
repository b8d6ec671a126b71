#pragma once

#include <QString>
#include <optional>

namespace velberd {

// What "Join" shows in place of a game path until one is chosen.
inline const QString kGamePathPlaceholder = QStringLiteral("Game Path");

// Why the game cannot start from a path, found before anything is started.
enum class GameProblem {
    NoPath,      // the placeholder or an empty path: Dorrick has recorded none
    Missing,     // no such file
    NotAProgram, // a folder, or a file that cannot run as the game
    NoWine,      // a Windows program away from Windows, and no wine on the PATH
};

// The file the game path names on this system. Away from Windows the game is a Windows program run
// by wine, and a path with a drive letter ("c:\games\jazz2.exe") names a file in the Wine prefix,
// found there as Wine finds it: through the prefix's drive links, without regard to case, with
// "." and ".." taken as Windows takes them (".." at a drive's root stays there). Empty when there
// is none.
QString gameFile(const QString& gamePath, const QString& winePrefix);

// Looks at the file system and the PATH as they are now.
std::optional<GameProblem> gameProblem(const QString& gamePath, const QString& winePrefix);

// What is wrong and what to do about it, for a message captioned with the program's title.
QString gameProblemMessage(GameProblem problem, const QString& gamePath);

// What the player is told when the system refuses to start a game that passed the checks, with
// the system's reason.
QString refusedStartMessage(const QString& gamePath, const QString& reason);

// The game gets its command line in the system's ANSI code page, in which Windows maps a character
// the code page lacks to a look-alike (a quote among them) that could cut or join its arguments.
// What the player is told when the game path or the log file's folder holds such characters;
// nothing when both can be given as they are.
std::optional<QString> codePageProblemMessage(const QString& gamePath, const QString& logFolder);

} // namespace velberd
