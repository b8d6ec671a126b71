#include "browser/logic/launch.h"

#include <algorithm>
#include <limits>

namespace velberd {
namespace {

// Letters, digits, "." and "-" cover every dotted IPv4 address and every host name.
bool isServerAddress(std::string_view address) {
    constexpr std::size_t kLongestHostName = 253;
    if (address.empty() || address.size() > kLongestHostName || address.front() == '-' || address == "x") return false;
    for (const char c : address) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool digit = c >= '0' && c <= '9';
        if (!letter && !digit && c != '.' && c != '-') return false;
    }
    return true;
}

} // namespace

std::int16_t raiseLaunchCounter(std::int16_t counter) {
    if (counter == std::numeric_limits<std::int16_t>::max()) return counter;
    return static_cast<std::int16_t>(counter + 1);
}

std::string logFilePath(std::string_view programFolder, std::int16_t counter, PathStyle style) {
    std::string path;
    if (style == PathStyle::Wine) {
        path = "Z:";
        for (const char c : programFolder)
            path += c == '/' ? '\\' : c;
    } else {
        path = programFolder;
    }
    path += "\\JazzLog";
    path += std::to_string(counter);
    path += ".txt";
    return path;
}

std::optional<LaunchCommand> buildLaunchCommand(std::string_view gamePath, const LaunchSwitches& switches,
                                                std::string_view logPath, std::string_view accessCaption,
                                                std::string_view addressCaption) {
    if (accessCaption != "public " || !isServerAddress(addressCaption)) return std::nullopt;
    LaunchCommand command{std::string{gamePath}, {}};
    auto& arguments = command.arguments;
    if (switches.safe) arguments.emplace_back("-Safe");
    arguments.emplace_back(switches.spy ? "-spy" : "-nospy");
    arguments.emplace_back(switches.full ? "-fullscreen" : "-windowed");
    arguments.emplace_back(switches.mute ? "-nosound" : "-sound");
    if (switches.log) arguments.push_back("-Log=" + std::string{logPath});
    arguments.emplace_back("-connect");
    arguments.emplace_back(addressCaption);
    return command;
}

bool runsThroughWine(std::string_view program) {
    constexpr std::string_view extension = ".exe";
    const auto lowered = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; };
    return program.size() >= extension.size() &&
           std::ranges::equal(program.substr(program.size() - extension.size()), extension, {}, lowered);
}

} // namespace velberd
