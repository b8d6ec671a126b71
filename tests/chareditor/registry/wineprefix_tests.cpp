#include "chareditor/registry/registryapi.h"
#include "chareditor/registry/wineprefixbackend.h"
#include "chareditor/registry/wineserver.h"
#include "tempfolder.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace velberd::registry {
namespace {

using testing::readFile;
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

std::string repeatedAb(int count) {
    std::string text = "ab";
    for (int i = 1; i < count; ++i)
        text += ",ab";
    return text;
}

class WinePrefixTest : public ::testing::Test {
protected:
    TempFolder prefix;
    WinePrefixBackend backend{prefix.path()};
    Registry registry{backend, nullptr};

    std::filesystem::path userDefaults() const { return prefix.path() / "userdef.reg"; }
    void SetUp() override { writeFile(userDefaults(), kUserDefaults); }
};

TEST_F(WinePrefixTest, ReadsEveryKindOfEntry) {
    EXPECT_EQ(ReadBinaryValue(registry, kPlayer123, "Char"), std::string("\x55\0\0\0", 4));
    EXPECT_EQ(ReadBinaryValue(registry, kPlayer123, "color"), std::string("\x20\0\xff\x0a", 4));
    EXPECT_EQ(ReadStringValue(registry, kPlayer123, "Name"), "Caf\xe9 \"Jazz\" \\o/");

    const std::string fonts = "HKEY_USERS\\.Default\\software\\WINE\\fonts";
    EXPECT_EQ(ReadStringValue(registry, fonts, ""), "default");
    std::string counting;
    for (char c = 0; c < 0x1a; ++c)
        counting.push_back(c);
    EXPECT_EQ(ReadBinaryValue(registry, fonts, "Blob"), counting);
    EXPECT_EQ(ReadBinaryValue(registry, fonts, "Count"), std::string("\x2c\x01\0\0", 4));
    EXPECT_EQ(ReadStringValue(registry, fonts, "Path"), "%SystemRoot%\\Fonts\\");
    EXPECT_EQ(ReadBinaryValue(registry, fonts, "Wide"), std::string("A\xe9\0\0", 4));
}

TEST_F(WinePrefixTest, WriteReplacesOnlyTheLinesOfItsValue) {
    WriteBinaryValue(registry, kPlayer123, "Char", std::string("\x37\0\0\0", 4));
    WriteStringValue(registry, kPlayer123, "Name", "\x80uro\\");
    std::string expected = kUserDefaults;
    expected.replace(expected.find("\"Char\"=hex:55"), 22, "\"Char\"=hex:37,00,00,00");
    const auto name = expected.find("\"Name\"=");
    expected.replace(name, expected.find('\n', name) + 1 - name, "\"Name\"=\"\\x20acuro\\\\\"\n");
    EXPECT_EQ(readFile(userDefaults()), expected);
    EXPECT_EQ(ReadStringValue(registry, kPlayer123, "Name"), "\x80uro\\");
}

TEST_F(WinePrefixTest, NewValueGoesAtTheEndOfItsOwnSection) {
    WriteStringValue(registry, "HKEY_USERS\\.Default\\Control Panel\\Desktop", "Wallpaper", "");
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
        WriteBinaryValue(registry, fonts, "New", "\x01");
        const auto written = readFile(userDefaults());
        EXPECT_TRUE(written.starts_with(cutOff)) << written;
        EXPECT_EQ(ReadBinaryValue(registry, fonts, "New"), "\x01") << written;
        EXPECT_EQ(ReadBinaryValue(registry, fonts, "Wide"), std::string("A\xe9\0", 3)) << written;
    }
}

TEST_F(WinePrefixTest, LongBinaryValuesWrapAsWineWrapsThem) {
    std::string bytes;
    for (int i = 0; i < 0x1a; ++i)
        bytes.push_back(static_cast<char>(i));
    WriteBinaryValue(registry, "HKEY_USERS\\.Default\\Software\\Wine\\Fonts", "Blob", bytes);
    EXPECT_EQ(readFile(userDefaults()), kUserDefaults);

    const std::string wide(40, '\xab');
    WriteBinaryValue(registry, "HKEY_USERS\\.Default\\Software\\Wine\\Fonts", "Blob", wide);
    const std::string file = readFile(userDefaults());
    const auto start = file.find("\"Blob\"=hex:");
    const auto end = file.find("\"Count\"");
    const std::string entry = file.substr(start, end - start);
    EXPECT_EQ(entry, "\"Blob\"=hex:" + repeatedAb(22) + ",\\\n  " + repeatedAb(18) + "\n");
    EXPECT_EQ(ReadBinaryValue(registry, "HKEY_USERS\\.Default\\Software\\Wine\\Fonts", "Blob"), wide);
}

TEST_F(WinePrefixTest, KeysNotInTheFileAreNeverCreated) {
    const std::string missing = "HKEY_USERS\\.Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2 Special "
                                "Edition\\1.24\\Player0";
    WriteStringValue(registry, missing, "Name", "Jazz");
    WriteStringValue(registry, "HKEY_USERS\\S-1-5-21\\Software", "Name", "Jazz");
    WriteStringValue(registry, "HKEY_CLASSES_ROOT\\.txt", "Name", "Jazz");
    EXPECT_EQ(readFile(userDefaults()), kUserDefaults);
    EXPECT_EQ(ReadStringValue(registry, missing, "Name"), "Error");
    EXPECT_EQ(ReadStringValue(registry, "HKEY_CURRENT_USER\\Software", "Name"), "Error");
    EXPECT_FALSE(std::filesystem::exists(prefix.path() / "user.reg"));
}

TEST_F(WinePrefixTest, KeyHoldingOnlySubKeysGetsASectionOfItsOwn) {
    const std::string parent = "HKEY_USERS\\.Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2";
    WriteStringValue(registry, parent, "Name", "Jazz");
    const std::string file = readFile(userDefaults());
    EXPECT_TRUE(file.starts_with(kUserDefaults + "\n[Software\\\\Epic MegaGames\\\\Jazz Jackrabbit 2] "));
    EXPECT_TRUE(file.ends_with("\n\"Name\"=\"Jazz\"\n"));
    EXPECT_EQ(ReadStringValue(registry, parent, "Name"), "Jazz");
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

// Stands in for Wine's server by listening where it listens.
class FakeWineServer {
public:
    explicit FakeWineServer(std::filesystem::path socket) : m_socket(std::move(socket)) {
        std::filesystem::create_directories(m_socket.parent_path());
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, m_socket.c_str(), sizeof address.sun_path - 1);
        m_listening =
            ::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 && ::listen(m_fd, 1) == 0;
    }
    ~FakeWineServer() {
        stop();
        std::error_code ignored;
        std::filesystem::remove_all(m_socket.parent_path(), ignored);
    }
    bool listening() const { return m_listening; }
    void stop() {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = -1;
    }

private:
    std::filesystem::path m_socket;
    int m_fd = -1;
    bool m_listening = false;
};

TEST_F(WinePrefixTest, NoWriteWhileWinesServerRunsForThePrefix) {
    EXPECT_FALSE(wineServerRunning(prefix.path()));
    FakeWineServer server(wineServerSockets(prefix.path()).front());
    ASSERT_TRUE(server.listening());
    EXPECT_TRUE(wineServerRunning(prefix.path()));

    WriteBinaryValue(registry, kPlayer123, "Char", std::string("\x37\0\0\0", 4));
    EXPECT_EQ(readFile(userDefaults()), kUserDefaults);
    EXPECT_EQ(ReadBinaryValue(registry, kPlayer123, "Char"), std::string("\x55\0\0\0", 4));

    // The socket file a stopped server leaves behind does not hold writes back.
    server.stop();
    EXPECT_FALSE(wineServerRunning(prefix.path()));
    WriteBinaryValue(registry, kPlayer123, "Char", std::string("\x37\0\0\0", 4));
    EXPECT_EQ(ReadBinaryValue(registry, kPlayer123, "Char"), std::string("\x37\0\0\0", 4));
}

TEST_F(WinePrefixTest, ServerFolderNamedInThePrefixIsFoundToo) {
    std::string folder = "/tmp/wine-velberdXXXXXX";
    ASSERT_NE(::mkdtemp(folder.data()), nullptr);
    writeFile(prefix.path() / "wineserver", std::filesystem::path(folder).filename().string());
    const auto sockets = wineServerSockets(prefix.path());
    ASSERT_EQ(sockets.size(), 2u);
    EXPECT_EQ(sockets[1].parent_path().parent_path(), folder);
    FakeWineServer server(sockets[1]);
    ASSERT_TRUE(server.listening());
    EXPECT_TRUE(wineServerRunning(prefix.path()));
    WriteStringValue(registry, kPlayer123, "Name", "Spaz");
    EXPECT_EQ(readFile(userDefaults()), kUserDefaults);
    std::filesystem::remove_all(folder);
}

// Wine's own server, where it is installed: started and stopped for a prefix of the test's own.
TEST_F(WinePrefixTest, RealWineServerIsDetected) {
    if (std::system("command -v wineserver >/dev/null 2>&1") != 0) GTEST_SKIP() << "Wine is not installed";
    const std::string env = "WINEPREFIX='" + prefix.path().string() + "' WINEDEBUG=-all ";
    ASSERT_EQ(std::system((env + "wineserver -p5").c_str()), 0);
    bool running = false;
    for (int attempt = 0; attempt < 50 && !running; ++attempt) {
        running = wineServerRunning(prefix.path());
        if (!running) ::usleep(100000);
    }
    WriteStringValue(registry, kPlayer123, "Name", "Spaz");
    const std::string file = readFile(userDefaults());
    std::system((env + "wineserver -k").c_str());
    std::system((env + "wineserver -w").c_str());
    // Debian's Wine leaves the folder it made for the server behind.
    const std::string serverFolder = readFile(prefix.path() / "wineserver");
    if (!serverFolder.empty() && serverFolder.find('/') == std::string::npos) {
        std::filesystem::remove_all(std::filesystem::path("/tmp") / serverFolder);
    }
    EXPECT_TRUE(running);
    EXPECT_EQ(file, kUserDefaults);
    EXPECT_FALSE(wineServerRunning(prefix.path()));
}

TEST_F(WinePrefixTest, ReplacingLeavesNoTemporaryFileAndKeepsPermissions) {
    std::filesystem::permissions(userDefaults(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    WriteStringValue(registry, kPlayer123, "Name", "Spaz");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(prefix.path()), {}), 1);
    EXPECT_EQ(std::filesystem::status(userDefaults()).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
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
