#include "browser/logic/gamefile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace velberd {
namespace {

namespace fs = std::filesystem;

// Makes a stand-in for one of the game's files, and the folders on its way: a file of the given
// content, or, without one, a program this system starts directly.
void make(const fs::path& file, std::string_view content = {}) {
    fs::create_directories(file.parent_path());
#ifdef _WIN32
    std::ofstream(file, std::ios::binary) << (content.empty() ? "MZ" : content);
#else
    std::ofstream(file, std::ios::binary) << (content.empty() ? "#!/bin/sh\n" : content);
    if (content.empty()) fs::permissions(file, fs::perms::owner_exec, fs::perm_options::add);
#endif
}

std::string replaced(std::string text, std::string_view mark, const std::string& by) {
    if (const auto at = text.find(mark); at != std::string::npos) text.replace(at, mark.size(), by);
    return text;
}

struct GameFileRow {
    std::string gamePath; // "{games}" is the games' folder
    bool wine;            // wine on the PATH
    std::optional<GameProblem> problem;
    std::string shows; // a problem: a phrase of its message; none: the folder the game starts in
};

const GameFileRow kGameFileRows[] = {
    {"Game Path", true, GameProblem::NoPath, "No game path is recorded"},
    {"", true, GameProblem::NoPath, "No game path is recorded"},
    {"{games}/gone/jazz2", true, GameProblem::Missing, "\"{games}/gone/jazz2\" does not exist"},
    {"{games}", true, GameProblem::NotAProgram, "\"{games}\" is not a program"},
    {"{games}/readme.txt", true, GameProblem::NotAProgram, "\"{games}/readme.txt\" is not a program"},
    {"{games}/notes.exe", true, GameProblem::NotAProgram, "\"{games}/notes.exe\" is not a program"},
    {"{games}/jazz2", true, std::nullopt, "{games}"},
#ifndef _WIN32
    // Wine takes ".." and "." as Windows does, whether or not the folder before ".." exists, and
    // finds names in any case, also beyond ASCII.
    {"{games}/jazz2.exe", false, GameProblem::NoWine, "Wine, which runs it here, is not installed"},
    {"C:\\GAMES\\gone\\..\\J\u00c4ZZ2\\.\\JAZZ2.EXE", true, std::nullopt, "{prefix}/dosdevices/c:/Games/J\u00e4zz2"},
    {"c:\\..\\Games\\J\u00e4zz2\\Jazz2.exe", true, std::nullopt, "{prefix}/dosdevices/c:/Games/J\u00e4zz2"},
    {"c:\\games\\j\u00e4zz2\\gone.exe", true, GameProblem::Missing,
     "\"c:\\games\\j\u00e4zz2\\gone.exe\" does not exist"},
    {"c:\\games\\j\u00e4zz2\\jazz2", true, GameProblem::NotAProgram, "is not a program"},
    {"c:\\games\\j\u00e4zz2\\", true, GameProblem::NotAProgram, "is not a program"},
    {"Z:{games}/jazz2.exe", true, std::nullopt, "{games}"},
    {"c:\\games\\j\u00e4zz2\\jazz2.exe", false, GameProblem::NoWine, "sudo apt install wine"},
#endif
};

TEST(GameFile, ProblemsAndStartFolders) {
    const auto folder = fs::temp_directory_path() / ("velberd-gamefile-" + std::to_string(std::random_device{}()));
    const auto games = folder / "games";
    make(games / "jazz2");
    make(games / "readme.txt", "Jazz Jackrabbit 2");
    make(games / "notes.exe", "Jazz Jackrabbit 2");
    make(games / "jazz2.exe", "MZ");
    const auto prefix = folder / "prefix";
#ifndef _WIN32
    // A Wine prefix as Wine makes it: drive c: is a link to the prefix's drive_c folder.
    make(prefix / "drive_c/Games/J\u00e4zz2/Jazz2.exe", "MZ");
    make(prefix / "drive_c/Games/J\u00e4zz2/jazz2");
    fs::create_directories(prefix / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix / "dosdevices/c:");
    // The PATH holds only a folder with wine in it, or nothing.
    make(folder / "tools/wine");
    const std::string path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
#endif
    const auto placed = [&](const std::string& text) {
        return replaced(replaced(text, "{games}", games.generic_string()), "{prefix}", prefix.generic_string());
    };
    for (const auto& row : kGameFileRows) {
        SCOPED_TRACE(row.gamePath);
        const auto gamePath = placed(row.gamePath);
#ifndef _WIN32
        ::setenv("PATH", row.wine ? (folder / "tools").c_str() : "", 1);
#endif
        EXPECT_EQ(gameProblem(gamePath, prefix.string()), row.problem);
        const auto shows = placed(row.shows);
        if (row.problem) {
            const auto message = gameProblemMessage(*row.problem, gamePath);
            EXPECT_NE(message.find(shows), std::string::npos) << message;
        } else {
            EXPECT_EQ(gameFolder(gamePath, prefix.string()), shows);
        }
    }
#ifndef _WIN32
    ::setenv("PATH", path.c_str(), 1);
#endif
    fs::remove_all(folder);
}

} // namespace
} // namespace velberd
