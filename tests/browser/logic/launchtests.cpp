#include "browser/logic/launch.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace velberd {
namespace {

using Arguments = std::vector<std::string>;

const std::string kGame = "C:\\Games\\Jazz2\\Jazz2.exe";

TEST(Launch, FullscreenAloneWithoutLog) {
    const LaunchSwitches switches{.spy = false, .safe = false, .full = true, .mute = false, .log = false};
    const auto command = buildLaunchCommand(kGame, switches, "C:\\unused.txt", "public ", "192.0.2.5");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->program, kGame);
    EXPECT_EQ(command->arguments, (Arguments{"-nospy", "-fullscreen", "-sound", "-connect", "192.0.2.5"}));
}

TEST(Launch, EveryBoxCheckedOnTheThirdClick) {
    std::int16_t counter = 0;
    for (int click = 0; click < 3; ++click)
        counter = raiseLaunchCounter(counter);
    const auto logPath = logFilePath("C:\\Games\\Velberd", counter, PathStyle::Windows);
    EXPECT_EQ(logPath, "C:\\Games\\Velberd\\JazzLog3.txt");

    const LaunchSwitches switches{.spy = true, .safe = false, .full = true, .mute = true, .log = true};
    const auto command = buildLaunchCommand(kGame, switches, logPath, "public ", "192.0.2.5");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->arguments, (Arguments{"-spy", "-fullscreen", "-nosound", "-Log=C:\\Games\\Velberd\\JazzLog3.txt",
                                             "-connect", "192.0.2.5"}));
}

TEST(Launch, SafeStandsBeforeTheSpySwitch) {
    const LaunchSwitches switches{.spy = false, .safe = true, .full = false, .mute = false, .log = false};
    const auto command = buildLaunchCommand(kGame, switches, "", "public ", "192.0.2.6");
    ASSERT_TRUE(command);
    EXPECT_EQ(command->arguments, (Arguments{"-Safe", "-nospy", "-windowed", "-sound", "-connect", "192.0.2.6"}));
}

TEST(Launch, OnlyAPublicCaptionStartsAnything) {
    for (const char* caption : {"private", "x", "", "public", "Public ", "public  ", "113.40:"}) {
        SCOPED_TRACE(caption);
        EXPECT_EQ(buildLaunchCommand(kGame, {}, "", caption, "192.0.2.7"), std::nullopt);
    }
    EXPECT_TRUE(buildLaunchCommand(kGame, {}, "", "public ", "192.0.2.7"));
}

TEST(Launch, OnlyADottedAddressOrAHostNameIsJoined) {
    const std::string longest = std::string(249, 'h') + ".net";
    for (const std::string& address :
         {std::string("192.0.2.8"), std::string("jj2.carrot-land.example"), std::string("A1"), longest}) {
        SCOPED_TRACE(address);
        const auto command = buildLaunchCommand(kGame, {}, "", "public ", address);
        ASSERT_TRUE(command);
        EXPECT_EQ(command->arguments.back(), address);
    }
    for (const std::string& address :
         {std::string("-Log=..\\..\\x"), std::string("1.2.3.4 -spy"), std::string("192.0.2.8 x"), std::string("-spy"),
          std::string("x"), std::string(""), longest + "h", std::string(300, 'n'), std::string("host_name"),
          std::string("192.0.2.8\t"), std::string("caf\xe9"), std::string("a/b;c")}) {
        SCOPED_TRACE(address);
        EXPECT_EQ(buildLaunchCommand(kGame, {}, "", "public ", address), std::nullopt);
    }
}

TEST(LaunchCounter, StopsAtItsCeiling) {
    EXPECT_EQ(raiseLaunchCounter(0), 1);
    EXPECT_EQ(raiseLaunchCounter(32766), 32767);
    EXPECT_EQ(raiseLaunchCounter(32767), 32767);
}

TEST(LaunchCounter, ClicksThatStartNothingUseUpNumbers) {
    std::int16_t counter = 0;
    std::optional<LaunchCommand> started;
    for (const char* caption : {"private", "x", "public "}) {
        counter = raiseLaunchCounter(counter);
        const LaunchSwitches switches{.log = true};
        started = buildLaunchCommand(kGame, switches, logFilePath("C:\\V", counter, PathStyle::Windows), caption,
                                     "192.0.2.9");
    }
    ASSERT_TRUE(started);
    EXPECT_EQ(started->arguments.at(3), "-Log=C:\\V\\JazzLog3.txt");
}

TEST(LogFilePath, FolderForms) {
    EXPECT_EQ(logFilePath("C:\\", 1, PathStyle::Windows), "C:\\\\JazzLog1.txt");
    EXPECT_EQ(logFilePath("D:\\Spiele\\Velberd", 32767, PathStyle::Windows), "D:\\Spiele\\Velberd\\JazzLog32767.txt");
    EXPECT_EQ(logFilePath("/home/ann/velberd", 12, PathStyle::Wine), "Z:\\home\\ann\\velberd\\JazzLog12.txt");
    EXPECT_EQ(logFilePath("/", 1, PathStyle::Wine), "Z:\\\\JazzLog1.txt");
    // Bytes of a UTF-8 folder name pass through untouched.
    EXPECT_EQ(logFilePath("/home/zo\xc3\xab", 2, PathStyle::Wine), "Z:\\home\\zo\xc3\xab\\JazzLog2.txt");
}

TEST(RunsThroughWine, ExeInAnyCase) {
    EXPECT_TRUE(runsThroughWine("/home/ann/games/jazz2/Jazz2.exe"));
    EXPECT_TRUE(runsThroughWine("C:\\GAMES\\JAZZ2.EXE"));
    EXPECT_TRUE(runsThroughWine("Jazz2.eXe"));
    EXPECT_FALSE(runsThroughWine("/usr/games/jazz2"));
    EXPECT_FALSE(runsThroughWine("Jazz2.exe.desktop"));
    EXPECT_FALSE(runsThroughWine("exe"));
    EXPECT_FALSE(runsThroughWine("Game Path"));
}

} // namespace
} // namespace velberd
