#include "chareditor/registry/wineserver.h"
#include "lockingchild.h"
#include "tempfolder.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <variant>

namespace velberd::registry {
namespace {

using testing::readFile;
using testing::TempFolder;
using testing::writeFile;

bool writeWhole(int fd, const std::string& text) {
    return ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

bool writeProcFile(const char* file, const std::string& text) {
    const int fd = ::open(file, O_WRONLY | O_CLOEXEC);
    const bool written = fd >= 0 && writeWhole(fd, text);
    if (fd >= 0) ::close(fd);
    return written;
}

// Runs `work` in a child process that sees a /run/user of its own: empty, or holding only this
// user's folder. TMPDIR is `temporary`, or unset. What `work` returns comes back; no value when
// no such child can be had, and `whyNot` says why.
std::optional<std::string> withOwnRunUser(bool userFolder, const std::optional<std::string>& temporary,
                                          const std::function<std::string()>& work, std::string& whyNot) {
    int result[2];
    if (::pipe(result) != 0) {
        whyNot = "no pipe";
        return std::nullopt;
    }
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(result[0]);
        const auto fail = [&](const char* step) {
            writeWhole(result[1], std::string(1, '\1') + step + ": " + std::strerror(errno));
            ::_exit(1);
        };
        // Root makes a mount namespace; anyone else a user namespace in which they stay themselves.
        if (::geteuid() == 0) {
            if (::unshare(CLONE_NEWNS) != 0) fail("a mount namespace");
        } else if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 || !writeProcFile("/proc/self/setgroups", "deny") ||
                   !writeProcFile("/proc/self/uid_map", std::to_string(uid) + " " + std::to_string(uid) + " 1") ||
                   !writeProcFile("/proc/self/gid_map", std::to_string(gid) + " " + std::to_string(gid) + " 1")) {
            fail("a user namespace");
        }
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) fail("private mounts");
        if (::mount("tmpfs", "/run/user", "tmpfs", 0, "mode=0755") != 0) fail("a /run/user of its own");
        if (userFolder && ::mkdir(("/run/user/" + std::to_string(uid)).c_str(), 0700) != 0) fail("a user folder");
        if (temporary) {
            ::setenv("TMPDIR", temporary->c_str(), 1);
        } else {
            ::unsetenv("TMPDIR");
        }
        writeWhole(result[1], work());
        ::_exit(0);
    }
    ::close(result[1]);
    std::string answer;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(result[0], buffer, sizeof buffer)) > 0)
        answer.append(buffer, static_cast<std::size_t>(got));
    ::close(result[0]);
    ::waitpid(child, nullptr, 0);
    if (answer.starts_with('\1')) {
        whyNot = "needs " + answer.substr(1);
        return std::nullopt;
    }
    return answer;
}

// Paths one to a line: a folder name may hold a line feed of its own, but no zero byte.
std::string lines(const std::vector<std::filesystem::path>& paths) {
    std::string text;
    for (const auto& path : paths)
        text += path.string() + '\0';
    return text;
}

void writeNameFile(const std::filesystem::path& prefix, const std::string& content, mode_t mode) {
    writeFile(prefix / "wineserver", content);
    ::chmod((prefix / "wineserver").c_str(), mode);
}

// The name file as it is now: its mode and content, or "missing".
std::string nameFileState(const std::filesystem::path& prefix) {
    struct stat info {};
    if (::lstat((prefix / "wineserver").c_str(), &info) != 0) return "missing";
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o ", static_cast<unsigned>(info.st_mode & 07777));
    return mode + readFile(prefix / "wineserver");
}

class WineServerFolders : public ::testing::Test {
protected:
    // The prefix, with the temporary folder the cases name inside it.
    TempFolder prefix;
    std::filesystem::path temporary = prefix.path() / "tmp";
    std::string server;
    std::filesystem::path upstream;
    std::filesystem::path runtime;

    void SetUp() override {
        std::filesystem::create_directory(temporary);
        struct stat info {};
        ASSERT_EQ(::stat(prefix.path().c_str(), &info), 0);
        char name[64];
        std::snprintf(name, sizeof name, "server-%lx-%lx", static_cast<unsigned long>(info.st_dev),
                      static_cast<unsigned long>(info.st_ino));
        server = name;
        upstream = "/tmp/.wine-" + std::to_string(::getuid()) + "/" + server;
        runtime = "/run/user/" + std::to_string(::getuid()) + "/wine/" + server;
    }
};

// Where Wine's servers for a prefix keep their locks: upstream Wine's fixed folder, and Debian's,
// in the user's runtime folder when there is one, else named by the prefix's file "wineserver"
// exactly as Debian's Wine reads it.
TEST_F(WineServerFolders, AreFoundAsWineFindsThem) {
    const struct {
        const char* name;
        bool userFolder;
        std::optional<std::string> nameFile;
        mode_t mode;
        std::optional<std::string> tmpdir;
        std::vector<std::filesystem::path> folders;
    } cases[] = {
        {"the user's runtime folder, whatever the name file says",
         true,
         "wine-named",
         0400,
         temporary.string(),
         {upstream, runtime}},
        {"the name file's folder in TMPDIR",
         false,
         "wine-named",
         0400,
         temporary.string(),
         {upstream, temporary / "wine-named" / server}},
        {"the name file's folder in /tmp without TMPDIR",
         false,
         "wine-named",
         0400,
         std::nullopt,
         {upstream, std::filesystem::path("/tmp/wine-named") / server}},
        {"a relative TMPDIR counts from the prefix",
         false,
         "wine-named",
         0400,
         "tmp",
         {upstream, temporary / "wine-named" / server}},
        {"the line feed that ends the name belongs to it",
         false,
         "wine-named\n",
         0400,
         temporary.string(),
         {upstream, temporary / "wine-named\n" / server}},
        {"only the first line counts",
         false,
         "wine-first\nwine-second\n",
         0400,
         temporary.string(),
         {upstream, temporary / "wine-first\n" / server}},
        {"a name file Wine replaces, not of mode 0400", false, "wine-named", 0440, temporary.string(), {upstream}},
        {"a name file Wine replaces, empty", false, "", 0400, temporary.string(), {upstream}},
        {"no name file", false, std::nullopt, 0, temporary.string(), {upstream}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(prefix.path() / "wineserver");
        if (c.nameFile) writeNameFile(prefix.path(), *c.nameFile, c.mode);
        std::string whyNot;
        const auto found = withOwnRunUser(
            c.userFolder, c.tmpdir, [&] { return lines(wineServerFolders(prefix.path())); }, whyNot);
        if (!found) GTEST_SKIP() << whyNot;
        EXPECT_EQ(*found, lines(c.folders));
    }
}

// Taking the lock makes what Wine would make, where it is missing, and leaves every file that Wine
// made as it was, also one that Wine itself would replace.
TEST_F(WineServerFolders, TakingTheLockLeavesWhatWineMade) {
    const auto take = [&] {
        const auto lock = WineServerLock::take(prefix.path());
        std::string held = std::holds_alternative<WineServerLock>(lock) ? "held" : "refused";
        for (const auto& folder : wineServerFolders(prefix.path()))
            held += std::filesystem::exists(folder / "lock") ? " locked" : " unlocked";
        return held + "; " + nameFileState(prefix.path());
    };
    const struct {
        const char* name;
        bool userFolder;
        std::optional<std::string> nameFile;
        mode_t mode;
        std::string after;
    } cases[] = {
        {"the user's runtime folder needs no name file", true, std::nullopt, 0, "held locked locked; missing"},
        {"a name file not of mode 0400", false, "wine-named", 0440, "held locked; 0440 wine-named"},
        {"an empty name file", false, "", 0400, "held locked; 0400 "},
        {"a name file ending in a line feed", false, "wine-named\n", 0400, "held locked locked; 0400 wine-named\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(prefix.path() / "wineserver");
        if (c.nameFile) writeNameFile(prefix.path(), *c.nameFile, c.mode);
        std::string whyNot;
        const auto after = withOwnRunUser(c.userFolder, temporary.string(), take, whyNot);
        if (!after) GTEST_SKIP() << whyNot;
        EXPECT_EQ(*after, c.after);
    }

    // Without a runtime folder or a name file, the lock makes both as Debian's Wine does: a fresh
    // folder in TMPDIR, and a file of mode 0400 that holds its name.
    std::filesystem::remove(prefix.path() / "wineserver");
    std::string whyNot;
    const auto after = withOwnRunUser(false, temporary.string(), take, whyNot);
    if (!after) GTEST_SKIP() << whyNot;
    const std::string made = "held locked locked; 0400 wine-";
    EXPECT_TRUE(after->starts_with(made)) << *after;
    const std::string name = after->substr(made.size() - 5);
    EXPECT_EQ(name.size(), 11u);
    EXPECT_TRUE(std::filesystem::is_directory(temporary / name / server)) << name;
}

// Wine's own server, where it is installed, started for the prefix in each of Debian's places:
// its lock is in a folder found here, so taking the locks finds it running.
TEST_F(WineServerFolders, RealWineServerLocksAFolderFoundHere) {
    if (std::system("command -v wineserver >/dev/null 2>&1") != 0) GTEST_SKIP() << "Wine is not installed";
    const std::string env = "WINEPREFIX='" + prefix.path().string() + "' WINEDEBUG=-all ";
    const auto startedAndFound = [&] {
        if (std::system((env + "wineserver -p5").c_str()) != 0) return std::string("not started");
        // The server takes its lock for good just after it has gone into the background.
        bool found = false;
        for (int attempt = 0; attempt < 50 && !found; ++attempt) {
            found = std::holds_alternative<LockHolder>(WineServerLock::take(prefix.path()));
            if (!found) ::usleep(100000);
        }
        std::system((env + "wineserver -k").c_str());
        std::system((env + "wineserver -w").c_str());
        return std::string(found ? "found" : "not found");
    };
    const struct {
        const char* name;
        bool userFolder;
        std::optional<std::string> nameFile;
    } cases[] = {
        {"the user's runtime folder", true, std::nullopt},
        {"a name ending in a line feed", false, "wine-velberd\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(prefix.path() / "wineserver");
        if (c.nameFile) writeNameFile(prefix.path(), *c.nameFile, 0400);
        std::string whyNot;
        const auto found = withOwnRunUser(c.userFolder, temporary.string(), startedAndFound, whyNot);
        if (!found) GTEST_SKIP() << whyNot;
        EXPECT_EQ(*found, "found");
    }
}

} // namespace
} // namespace velberd::registry
