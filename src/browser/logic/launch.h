#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velberd {

// The launch check boxes as they stand at the click, with their start-up states.
struct LaunchSwitches {
    bool spy = false;
    bool safe = false;
    bool full = true;
    bool mute = false;
    bool log = false;
};

// The launch counter after one more click of "Join": it stops at 32767.
std::int16_t raiseLaunchCounter(std::int16_t counter);

// How the game sees the program folder: as the platform gives it, or, for a game started through
// wine, as drive Z: with the POSIX folder's slashes turned into backslashes.
enum class PathStyle { Windows, Wine };

// The folder, "\JazzLog", the counter and ".txt". The folder keeps its separator at a drive root,
// so "C:\" gives "C:\\JazzLog1.txt", which Windows reads as the same file.
std::string logFilePath(std::string_view programFolder, std::int16_t counter, PathStyle style);

// The game started as a program and its arguments, never through a shell, so spaces in the game
// path or text from the list server in the address cannot split into further switches.
struct LaunchCommand {
    std::string program;
    std::vector<std::string> arguments;
};

// Only a server whose access caption is exactly "public " is started, and only when the address
// caption is a dotted IPv4 address or a host name: at most 253 letters, digits, "." and "-", not
// starting with "-" ("x", the caption of no address, is none). The address comes from the list
// server, so anything else could pass the game a switch of its own. The arguments: "-Safe" when
// safe is checked, then the spy, full and mute switches, "-Log=" and the log path when log is
// checked, "-connect" and the address.
std::optional<LaunchCommand> buildLaunchCommand(std::string_view gamePath, const LaunchSwitches& switches,
                                                std::string_view logPath, std::string_view accessCaption,
                                                std::string_view addressCaption);

// Whether a program needs wine to start on a system other than Windows: its name ends in ".exe",
// in any case.
bool runsThroughWine(std::string_view program);

} // namespace velberd
