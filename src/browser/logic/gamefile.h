#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The game's file as a path names it, and why the game cannot start from it. Paths are UTF-8.
namespace velberd {

// What "Join" shows in place of a game path until one is chosen.
inline constexpr std::string_view kGamePathPlaceholder = "Game Path";

// Why the game cannot start from a path, found before anything is started.
enum class GameProblem {
    NoPath,      // the placeholder or an empty path: Dorrick has recorded none
    Missing,     // no such file
    NotAProgram, // a folder, or a file that cannot run as the game
    NoWine,      // a Windows program away from Windows, and no wine on the PATH
};

// Away from Windows the game is a Windows program run by wine, and a path with a drive letter
// ("c:\games\jazz2.exe") names a file in the Wine prefix, found there as Wine finds it: through the
// prefix's drive links, without regard to case, with "." and ".." taken as Windows takes them (".."
// at a drive's root stays there). Looks at the file system and the PATH as they are now.
std::optional<GameProblem> gameProblem(std::string_view gamePath, std::string_view winePrefix);

// The folder of the file the game path names on this system, with "/" between its names: the game
// finds its data beside itself, so it starts there. Empty when there is no such file.
std::string gameFolder(std::string_view gamePath, std::string_view winePrefix);

// What is wrong and what to do about it, for a message captioned with the program's title.
std::string gameProblemMessage(GameProblem problem, std::string_view gamePath);

// What the player is told when the system refuses to start a game that passed the checks, with
// the system's reason.
std::string refusedStartMessage(std::string_view gamePath, std::string_view reason);

// The game gets its command line in the system's ANSI code page, in which Windows maps a character
// the code page lacks to a look-alike (a quote among them) that could cut or join its arguments.
// What the player is told when the game path or the log file's folder (empty when the game keeps
// no log) holds characters that `lacking` finds, each once; nothing when both can be given as they are.
std::optional<std::string> codePageProblemMessage(std::string_view gamePath, std::string_view logFolder,
                                                  const std::function<std::string(std::string_view)>& lacking);

} // namespace velberd
