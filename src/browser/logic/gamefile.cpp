#include "browser/logic/gamefile.h"

#include "browser/logic/launch.h"

#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <locale.h>
#include <sstream>
#include <unistd.h>
#endif

namespace velberd {
namespace {

namespace fs = std::filesystem;

// Every Windows program starts with the two bytes "MZ".
bool isWindowsProgram(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    char start[2] = {};
    return in.read(start, sizeof start) && start[0] == 'M' && start[1] == 'Z';
}

#ifndef _WIN32
bool hasDriveLetter(std::string_view path) {
    const char drive = path.size() > 2 ? static_cast<char>(path[0] | 0x20) : '\0';
    return drive >= 'a' && drive <= 'z' && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

// A name in upper case, as Wine compares names: by Unicode's letters, as the C library's UTF-8
// locale cases them. A byte that starts no character stays apart from every character.
std::wstring upperCase(std::string_view name) {
    static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    const locale_t before = ::uselocale(utf8 != nullptr ? utf8 : LC_GLOBAL_LOCALE);
    std::wstring upper;
    std::mbstate_t state{};
    for (std::size_t at = 0; at < name.size();) {
        wchar_t c = 0;
        std::size_t length = std::mbrtowc(&c, name.data() + at, name.size() - at, &state);
        if (length == 0 || length > name.size() - at) {
            c = static_cast<wchar_t>(0x110000 + static_cast<unsigned char>(name[at]));
            length = 1;
            state = {};
        }
        upper += static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
        at += length;
    }
    ::uselocale(before);
    return upper;
}

// The entry of a folder whose name equals `name` without regard to case; the exact name first.
std::string entryIgnoringCase(const fs::path& folder, std::string_view name) {
    std::error_code error;
    if (fs::exists(folder / name, error)) return std::string(name);
    const auto wanted = upperCase(name);
    for (fs::directory_iterator entry(folder, error); entry != fs::directory_iterator(); entry.increment(error)) {
        auto entryName = entry->path().filename().string();
        if (upperCase(entryName) == wanted) return entryName;
    }
    return {};
}

// The file a drive-letter path names in the Wine prefix, or nothing. Wine reaches each drive
// through the link "dosdevices/c:" in the prefix; a prefix Wine has not made yet will have its z:
// at the root folder. Below the drive's root, "." is dropped and ".." takes back the name before
// it, but never the root, as Windows reads a path.
fs::path fileInWinePrefix(std::string_view windowsPath, std::string_view prefix) {
    const char drive = static_cast<char>(windowsPath[0] | 0x20);
    fs::path found = std::string(prefix) + "/dosdevices/" + drive + ':';
    std::error_code error;
    if (!fs::exists(found, error)) {
        if (drive != 'z') return {};
        found = "/";
    }
    std::string names(windowsPath.substr(2));
    std::replace(names.begin(), names.end(), '\\', '/');
    for (const auto& name : fs::path(names).lexically_normal().relative_path()) {
        if (name.empty()) continue;
        const auto entry = entryIgnoringCase(found, name.string());
        if (entry.empty()) return {};
        found /= entry;
    }
    return found;
}

// Whether wine is on the PATH as a file the user may run.
bool wineInstalled() {
    std::istringstream folders(std::getenv("PATH") != nullptr ? std::getenv("PATH") : "");
    std::error_code error;
    for (std::string folder; std::getline(folders, folder, ':');) {
        const auto wine = folder + "/wine";
        if (!folder.empty() && fs::is_regular_file(wine, error) && ::access(wine.c_str(), X_OK) == 0) return true;
    }
    return false;
}
#endif

// The file the game path names on this system, when there is one.
fs::path gameFile(std::string_view gamePath, [[maybe_unused]] std::string_view winePrefix) {
    auto file = fs::path(std::u8string(gamePath.begin(), gamePath.end()));
#ifndef _WIN32
    if (hasDriveLetter(gamePath)) file = fileInWinePrefix(gamePath, winePrefix);
#endif
    std::error_code error;
    return !file.empty() && fs::exists(file, error) ? file : fs::path();
}

} // namespace

std::optional<GameProblem> gameProblem(std::string_view gamePath, std::string_view winePrefix) {
    if (gamePath.empty() || gamePath == kGamePathPlaceholder) return GameProblem::NoPath;
    std::error_code error;
#ifdef _WIN32
    const auto file = gameFile(gamePath, winePrefix);
    if (file.empty()) return GameProblem::Missing;
    if (!fs::is_regular_file(file, error) || !isWindowsProgram(file)) return GameProblem::NotAProgram;
#else
    const bool inPrefix = hasDriveLetter(gamePath);
    const bool throughWine = runsThroughWine(gamePath);
    if ((inPrefix || throughWine) && !wineInstalled()) return GameProblem::NoWine;
    const auto file = gameFile(gamePath, winePrefix);
    if (file.empty()) return GameProblem::Missing;
    if (!fs::is_regular_file(file, error)) return GameProblem::NotAProgram;
    // Only wine starts a file in the prefix, and only a name ending in ".exe" is given to wine.
    if (inPrefix && !throughWine) return GameProblem::NotAProgram;
    if (throughWine ? !isWindowsProgram(file) : ::access(file.c_str(), X_OK) != 0) return GameProblem::NotAProgram;
#endif
    return std::nullopt;
}

std::string gameFolder(std::string_view gamePath, std::string_view winePrefix) {
    const auto file = gameFile(gamePath, winePrefix);
    std::error_code error;
    const auto folder =
        file.empty() ? std::u8string() : fs::absolute(file, error).lexically_normal().parent_path().generic_u8string();
    return {folder.begin(), folder.end()};
}

std::string gameProblemMessage(GameProblem problem, std::string_view gamePath) {
    const std::string path{gamePath};
    switch (problem) {
    case GameProblem::NoPath:
        return "No game path is recorded. Run Dorrick, which is installed beside Velberd, to record where your two "
               "game programs are, then start Velberd again.";
    case GameProblem::Missing:
        return "The game program \"" + path +
               "\" does not exist. Run Dorrick to record where your game programs are, then start Velberd again.";
    case GameProblem::NotAProgram:
        return "\"" + path +
               "\" is not a program. Run Dorrick and choose the game's program file (Jazz2.exe), then start Velberd "
               "again.";
    case GameProblem::NoWine:
        return "The game is a Windows program, and Wine, which runs it here, is not installed. Install Wine with your "
               "distribution's package manager (on Debian or Ubuntu: sudo apt install wine), then press Join again.";
    }
    return {};
}

std::string refusedStartMessage(std::string_view gamePath, std::string_view reason) {
    return "The game \"" + std::string(gamePath) + "\" did not start: " + std::string(reason) +
           "\n\nCheck that it is the game and that you may run it, or run Dorrick to record another path, then start "
           "Velberd again.";
}

std::optional<std::string> codePageProblemMessage(std::string_view gamePath, std::string_view logFolder,
                                                  const std::function<std::string(std::string_view)>& lacking) {
    if (const auto missing = lacking(gamePath); !missing.empty()) {
        return "The game path \"" + std::string(gamePath) + "\" holds characters the game cannot be given: " + missing +
               ". Move the game to a folder whose path has none of them, run Dorrick to record it, then start "
               "Velberd again.";
    }
    if (const auto missing = lacking(logFolder); !missing.empty()) {
        return "The game cannot be told to keep its log in Velberd's folder \"" + std::string(logFolder) +
               "\", which holds characters the game cannot be given: " + missing +
               ". Untick \"logger\", or move Velberd to a folder whose path has none of them, then press Join again.";
    }
    return std::nullopt;
}

} // namespace velberd
