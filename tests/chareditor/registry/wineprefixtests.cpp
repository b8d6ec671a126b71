#include "chareditor/registry/registryapi.h"
#include "chareditor/registry/wineprefixbackend.h"
#include "chareditor/registry/wineserver.h"
#include "filesizelimit.h"
#include "filesteps.h"
#include "lockingchild.h"
#include "tempfolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <variant>

namespace velberd::registry {
namespace {

using testing::FailingReads;
using testing::HeldStep;
using testing::lockAsWineServer;
using testing::LockingChild;
using testing::ReadFault;
using testing::readFile;
using testing::Step;
using testing::TempFolder;
using testing::writeFile;

constexpr std::string_view kPlayer123 =
    "HKEY_USERS\\.Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2\\1.23\\Player0";

// As Wine 8 writes it, with neighbours on both sides of the game's key.
const std::string kUserDefaults = "WINE REGISTRY Version 2\n"
                                  ";; All keys relative to \\\\User\\\\.Default\n"
                                  "\n"
                                  "#arch=win64\n"
                                  "\n"
                                  "[Control Panel\\\\Desktop] 1700000000\n"
                                  "#time=1da0f0b5e8a1c2e\n"
                                  "\"DragFullWindows\"=\"0\"\n"
                                  "\"UserPreferencesMask\"=hex:10,00,02,80,10,00,00,00\n"
                                  "\n"
                                  "[Software\\\\Epic MegaGames\\\\Jazz Jackrabbit 2\\\\1.23\\\\Player0] 1700000100\n"
                                  "#time=1da0f0b5e8a1c2f\n"
                                  "\"Char\"=hex:55,00,00,00\n"
                                  "\"Color\"=hex:20,00,ff,0a\n"
                                  "\"Name\"=\"Caf\\xe9 \\\"Jazz\\\" \\\\o/\"\n"
                                  "\n"
                                  "[Software\\\\Wine\\\\Fonts] 1700000200\n"
                                  "#time=1da0f0b5e8a1c30\n"
                                  "@=\"default\"\n"
                                  "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\n"
                                  "  16,17,18,19\n"
                                  "\"Count\"=dword:0000012c\n"
                                  "\"Path\"=str(2):\"%SystemRoot%\\\\Fonts\\\\\"\n"
                                  "\"Wide\"=hex(7):41,00,e9,00,00,00,00,00\n";

class WinePrefixTest : public ::testing::Test {
protected:
    TempFolder prefix;
    WinePrefixBackend backend{prefix.path()};
    Registry registry{backend, nullptr};

    std::filesystem::path userDefaults() const { return prefix.path() / "userdef.reg"; }
    void SetUp() override { writeFile(userDefaults(), kUserDefaults); }
};

TEST_F(WinePrefixTest, ReadsEveryKindOfEntry) {
    EXPECT_EQ(readBinaryValue(registry, kPlayer123, "Char"), std::string("\x55\0\0\0", 4));
    EXPECT_EQ(readBinaryValue(registry, kPlayer123, "color"), std::string("\x20\0\xff\x0a", 4));
    EXPECT_EQ(readStringValue(registry, kPlayer123, "Name"), "Caf\xe9 \"Jazz\" \\o/");

    const std::string fonts = "HKEY_USERS\\.Default\\software\\WINE\\fonts";
    EXPECT_EQ(readStringValue(registry, fonts, ""), "default");
    std::string counting;
    for (char c = 0; c < 0x1a; ++c)
        counting.push_back(c);
    EXPECT_EQ(readBinaryValue(registry, fonts, "Blob"), counting);
    EXPECT_EQ(readBinaryValue(registry, fonts, "Count"), std::string("\x2c\x01\0\0", 4));
    EXPECT_EQ(readStringValue(registry, fonts, "Path"), "%SystemRoot%\\Fonts\\");
    EXPECT_EQ(readBinaryValue(registry, fonts, "Wide"), std::string("A\xe9\0\0", 4));
}

TEST_F(WinePrefixTest, WriteReplacesOnlyTheLinesOfItsValue) {
    writeBinaryValue(registry, kPlayer123, "Char", std::string("\x37\0\0\0", 4));
    writeStringValue(registry, kPlayer123, "Name", "\x80uro\\");
    std::string expected = kUserDefaults;
    expected.replace(expected.find("\"Char\"=hex:55"), 22, "\"Char\"=hex:37,00,00,00");
    const auto name = expected.find("\"Name\"=");
    expected.replace(name, expected.find('\n', name) + 1 - name, "\"Name\"=\"\\x20acuro\\\\\"\n");
    EXPECT_EQ(readFile(userDefaults()), expected);
    EXPECT_EQ(readStringValue(registry, kPlayer123, "Name"), "\x80uro\\");
}

TEST_F(WinePrefixTest, NewValueGoesAtTheEndOfItsOwnSection) {
    writeStringValue(registry, "HKEY_USERS\\.Default\\Control Panel\\Desktop", "Wallpaper", "");
    std::string expected = kUserDefaults;
    const std::string after = "hex:10,00,02,80,10,00,00,00\n";
    expected.insert(expected.find(after) + after.size(), "\"Wallpaper\"=\"\"\n");
    EXPECT_EQ(readFile(userDefaults()), expected);
}

TEST_F(WinePrefixTest, NewValueBehindAnOpenContinuationStaysItsOwn) {
    const std::string fonts = "HKEY_USERS\\.Default\\Software\\Wine\\Fonts";
    for (const std::string ending : {"00,00,\\\n", "00,00,\\", "00,00,\\\r\n\n"}) {
        const std::string cutOff = kUserDefaults.substr(0, kUserDefaults.rfind("00,00,00,00\n")) + ending;
        writeFile(userDefaults(), cutOff);
        writeBinaryValue(registry, fonts, "New", "\x01");
        const auto written = readFile(userDefaults());
        EXPECT_TRUE(written.starts_with(cutOff)) << written;
        EXPECT_EQ(readBinaryValue(registry, fonts, "New"), "\x01") << written;
        EXPECT_EQ(readBinaryValue(registry, fonts, "Wide"), std::string("A\xe9\0", 3)) << written;
    }
}

TEST_F(WinePrefixTest, LongBinaryValuesWrapAsWineWrapsThem) {
    std::string bytes;
    for (int i = 0; i < 0x1a; ++i)
        bytes.push_back(static_cast<char>(i));
    writeBinaryValue(registry, "HKEY_USERS\\.Default\\Software\\Wine\\Fonts", "Blob", bytes);
    EXPECT_EQ(readFile(userDefaults()), kUserDefaults);

    // Wine breaks a line once it has passed 76 characters; with this name the 22nd byte's comma
    // lands on column 76 exactly, which does not yet break it.
    for (int i = 0x1a; i < 0x32; ++i)
        bytes.push_back(static_cast<char>(i));
    writeBinaryValue(registry, "HKEY_USERS\\.Default\\Software\\Wine\\Fonts", "Shades", bytes);
    EXPECT_EQ(readFile(userDefaults()),
              kUserDefaults + "\"Shades\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\n"
                              "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,\\\n"
                              "  2f,30,31\n");
}

TEST_F(WinePrefixTest, KeysNotInTheFileAreNeverCreated) {
    const std::string missing = "HKEY_USERS\\.Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2 Special "
                                "Edition\\1.24\\Player0";
    writeStringValue(registry, missing, "Name", "Jazz");
    writeStringValue(registry, "HKEY_USERS\\S-1-5-21\\Software", "Name", "Jazz");
    writeStringValue(registry, "HKEY_CLASSES_ROOT\\.txt", "Name", "Jazz");
    EXPECT_EQ(readFile(userDefaults()), kUserDefaults);
    EXPECT_EQ(readStringValue(registry, missing, "Name"), "Error");
    EXPECT_EQ(readStringValue(registry, "HKEY_CURRENT_USER\\Software", "Name"), "Error");
    EXPECT_FALSE(std::filesystem::exists(prefix.path() / "user.reg"));
}

TEST_F(WinePrefixTest, KeyHoldingOnlySubKeysGetsASectionOfItsOwn) {
    const std::string parent = "HKEY_USERS\\.Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2";
    writeStringValue(registry, parent, "Name", "Jazz");
    const std::string file = readFile(userDefaults());
    EXPECT_TRUE(file.starts_with(kUserDefaults + "\n[Software\\\\Epic MegaGames\\\\Jazz Jackrabbit 2] "));
    EXPECT_TRUE(file.ends_with("\n\"Name\"=\"Jazz\"\n"));
    EXPECT_EQ(readStringValue(registry, parent, "Name"), "Jazz");
}

TEST_F(WinePrefixTest, QueryFollowsTheWindowsSizeRules) {
    KeyHandle key = 0;
    ASSERT_EQ(backend.openKey(kUsers, ".Default\\Software\\Wine\\Fonts", kKeyRead, key), kSuccess);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(backend.queryValue(key, "Path", type, nullptr, size), kSuccess);
    EXPECT_EQ(type, kRegExpandSz);
    EXPECT_EQ(size, 20u);
    std::uint8_t small[4];
    size = sizeof small;
    EXPECT_EQ(backend.queryValue(key, "Path", type, small, size), kMoreData);
    EXPECT_EQ(size, 20u);
    EXPECT_EQ(backend.setValue(key, "Path", kRegSz, small, 1), kAccessDenied);
    EXPECT_EQ(backend.closeKey(key), kSuccess);
    EXPECT_EQ(backend.closeKey(key), kInvalidHandle);
}

TEST_F(WinePrefixTest, NoWriteWhileAServerHoldsTheLockOfThePrefix) {
    // Upstream Wine's folder and Debian's, which the first write makes where Wine would.
    ASSERT_EQ(writeStringValue(registry, kPlayer123, "Name", "Jazz"), kSuccess);
    const auto folders = wineServerFolders(prefix.path());
    ASSERT_EQ(folders.size(), 2u);

    for (const auto& folder : folders) {
        SCOPED_TRACE(folder);
        const std::string before = readFile(userDefaults());
        LockingChild server([&] { return lockAsWineServer(folder); });
        ASSERT_TRUE(server.holding());
        EXPECT_EQ(writeStringValue(registry, kPlayer123, "Name", "Spaz"), kBusy);
        EXPECT_EQ(readFile(userDefaults()), before);
        // The lock file a stopped server leaves behind does not hold writes back.
        server.stop();
        EXPECT_EQ(writeStringValue(registry, kPlayer123, "Name", "Spaz"), kSuccess);
        EXPECT_EQ(readStringValue(registry, kPlayer123, "Name"), "Spaz");
    }
}

// A second Velberd writing to the prefix at the same moment holds the same locks: the write that
// comes second is refused, and told apart from one that Wine refuses.
TEST_F(WinePrefixTest, AnotherVelberdWritingIsNotTakenForWine) {
    const std::string before = readFile(userDefaults());
    LockingChild velberd([&] {
        static std::optional<std::variant<WineServerLock, LockHolder>> held;
        held.emplace(WineServerLock::take(prefix.path()));
        return std::holds_alternative<WineServerLock>(*held);
    });
    ASSERT_TRUE(velberd.holding());
    EXPECT_EQ(writeStringValue(registry, kPlayer123, "Name", "Spaz"), kLockViolation);
    EXPECT_EQ(readFile(userDefaults()), before);
    velberd.stop();
    EXPECT_EQ(writeStringValue(registry, kPlayer123, "Name", "Spaz"), kSuccess);
}

// A server starting while a write is under way finds the lock taken, and gives up until the
// write is done: from the write's read of the file until the new file has taken its place.
TEST_F(WinePrefixTest, NoServerCanStartWhileAWriteIsUnderWay) {
    KeyHandle key = 0;
    ASSERT_EQ(backend.openKey(kUsers, std::string(kPlayer123.substr(11)), kKeyWrite, key), kSuccess);
    HeldStep reading(Step::Read, userDefaults());
    HeldStep renaming(Step::Rename, userDefaults());
    Status written = kInvalidParameter;
    std::thread writer(
        [&] { written = backend.setValue(key, "Name", kRegSz, reinterpret_cast<const std::uint8_t*>("Spaz"), 5); });
    const auto serversStarting = [&] {
        std::vector<bool> started;
        for (const auto& folder : wineServerFolders(prefix.path()))
            started.push_back(LockingChild([&] { return lockAsWineServer(folder); }).holding());
        return started;
    };
    const bool heldAtRead = reading.reached();
    const auto startedWhileReading = serversStarting();
    reading.release();
    const bool heldAtRename = renaming.reached();
    const auto startedWhileRenaming = serversStarting();
    renaming.release();
    writer.join();
    EXPECT_TRUE(heldAtRead);
    EXPECT_TRUE(heldAtRename);
    EXPECT_EQ(startedWhileReading, std::vector<bool>(2, false));
    EXPECT_EQ(startedWhileRenaming, std::vector<bool>(2, false));
    EXPECT_EQ(written, kSuccess);
    EXPECT_EQ(readStringValue(registry, kPlayer123, "Name"), "Spaz");
    EXPECT_EQ(serversStarting(), std::vector<bool>(2, true));
}

// Wine's own server, where it is installed: started and stopped for a prefix of the test's own.
TEST_F(WinePrefixTest, RealWineServerHoldsWritesOff) {
    if (std::system("command -v wineserver >/dev/null 2>&1") != 0) GTEST_SKIP() << "Wine is not installed";
    const std::string env = "WINEPREFIX='" + prefix.path().string() + "' WINEDEBUG=-all ";
    ASSERT_EQ(std::system((env + "wineserver -p5").c_str()), 0);
    // The server takes its lock for good just after it has gone into the background.
    bool running = false;
    for (int attempt = 0; attempt < 50 && !running; ++attempt) {
        running = std::holds_alternative<LockHolder>(WineServerLock::take(prefix.path()));
        if (!running) ::usleep(100000);
    }
    const Status status = writeStringValue(registry, kPlayer123, "Name", "Spaz");
    const std::string file = readFile(userDefaults());
    std::system((env + "wineserver -k").c_str());
    std::system((env + "wineserver -w").c_str());
    EXPECT_TRUE(running);
    EXPECT_EQ(status, kBusy);
    EXPECT_EQ(file, kUserDefaults);
}

// The names in a folder but Wine's "wineserver": the registry file and the links beside it.
std::vector<std::string> entries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().filename() != "wineserver") names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The registry file in place, behind a link to another folder, and behind a chain of relative
// links. A write that fails part-way leaves it byte for byte and no temporary file; one that
// succeeds replaces the file the links lead to. Either way the links stay and the file keeps its
// mode (0644, which a temporary file does not have), owner and group.
TEST_F(WinePrefixTest, ReplacingKeepsTheFileItsLinksModeAndOwner) {
    TempFolder elsewhere;
    const auto settings = prefix.path() / "settings";
    std::filesystem::create_directory(settings);
    const struct {
        const char* name;
        std::vector<std::pair<std::filesystem::path, std::filesystem::path>> links; // link -> where it leads
        std::filesystem::path target;
    } layouts[] = {
        {"plain file", {}, userDefaults()},
        {"link to another folder",
         {{userDefaults(), elsewhere.path() / "userdef.reg"}},
         elsewhere.path() / "userdef.reg"},
        {"chain of relative links",
         {{userDefaults(), "settings/link.reg"}, {settings / "link.reg", "real.reg"}},
         settings / "real.reg"},
    };
    // Root can give the file away; anyone else keeps it by owning it.
    const bool root = ::geteuid() == 0;
    for (const auto& [name, links, target] : layouts) {
        SCOPED_TRACE(name);
        std::filesystem::remove(userDefaults());
        for (const auto& [link, to] : links)
            std::filesystem::create_symlink(to, link);
        writeFile(target, kUserDefaults);
        ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
        if (root) {
            ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
        }
        const auto before = entries(target.parent_path());
        Status failed = kSuccess;
        {
            const test::FileSizeLimit fullDisk(kUserDefaults.size() / 2);
            failed = writeStringValue(registry, kPlayer123, "Name", "Spaz");
        }
        EXPECT_EQ(failed, kFileTooLarge);
        EXPECT_EQ(readFile(target), kUserDefaults);
        EXPECT_EQ(entries(target.parent_path()), before);

        EXPECT_EQ(writeStringValue(registry, kPlayer123, "Name", "Spaz"), kSuccess);
        EXPECT_EQ(readStringValue(registry, kPlayer123, "Name"), "Spaz");
        EXPECT_EQ(entries(target.parent_path()), before);
        for (const auto& [link, to] : links)
            EXPECT_EQ(std::filesystem::read_symlink(link), to);
        struct stat info {};
        ASSERT_EQ(::stat(target.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0644u);
        EXPECT_EQ(info.st_uid, root ? 65534u : ::geteuid());
        EXPECT_EQ(info.st_gid, root ? 65534u : ::getegid());
    }
}

// A registry file that cannot be read whole is left as it was: written back, the part that was
// read would take the place of the whole. The read stops behind the game's key, where the rest of
// the file would be lost, or fails once every byte is in, where nothing says the file ended.
TEST_F(WinePrefixTest, FileThatCannotBeReadWholeIsLeftAsItWas) {
    const auto behindTheGame = kUserDefaults.find("[Software\\\\Wine\\\\Fonts]");
    ASSERT_NE(behindTheGame, std::string::npos);
    const struct {
        const char* name;
        std::size_t at;
        ReadFault fault;
    } reads[] = {
        {"failed read", behindTheGame, ReadFault::Error},
        {"read ending early", behindTheGame, ReadFault::EarlyEnd},
        {"failed read at the end", kUserDefaults.size(), ReadFault::Error},
    };
    for (const auto& [name, at, fault] : reads) {
        SCOPED_TRACE(name);
        const auto before = entries(prefix.path());
        KeyHandle key = 0;
        ASSERT_EQ(backend.openKey(kUsers, std::string(kPlayer123.substr(11)), kKeyWrite, key), kSuccess);
        Status written = kSuccess;
        Status writtenWhole = kSuccess;
        {
            const FailingReads failing(userDefaults(), at, fault);
            written = backend.setValue(key, "Name", kRegSz, reinterpret_cast<const std::uint8_t*>("Spaz"), 5);
            writtenWhole = writeStringValue(registry, kPlayer123, "Name", "Spaz");
        }
        backend.closeKey(key);
        EXPECT_EQ(written, kReadFault);
        EXPECT_EQ(writtenWhole, kReadFault);
        EXPECT_EQ(readFile(userDefaults()), kUserDefaults);
        EXPECT_EQ(entries(prefix.path()), before);
    }
}

TEST(WinePrefixLocation, PrefixComesFromTheEnvironmentElseHome) {
    const char* saved = std::getenv("WINEPREFIX");
    const std::string savedPrefix = saved ? saved : "";
    ::setenv("WINEPREFIX", "/somewhere/prefix", 1);
    EXPECT_EQ(prefixFromEnvironment(), "/somewhere/prefix");
    ::unsetenv("WINEPREFIX");
    EXPECT_EQ(prefixFromEnvironment(), std::filesystem::path(std::getenv("HOME")) / ".wine");
    if (saved) ::setenv("WINEPREFIX", savedPrefix.c_str(), 1);
}

} // namespace
} // namespace velberd::registry
