#include "browser/logic/windowscommandline.h"

#include <gtest/gtest.h>

namespace velberd {
namespace {

// Each line is what the C runtime splits back into the arguments given: quotes around what holds
// a blank or a quote, backslashes doubled only where a quote follows them.
TEST(WindowsCommandLine, WritesEachArgumentSoTheRuntimeSplitsItBack) {
    const struct {
        std::string argument;
        std::string written;
    } cases[] = {
        {"-connect", "-connect"},
        {"C:\\Games\\Jazz2", "C:\\Games\\Jazz2"},
        {"-Log=C:\\My Games\\JazzLog1.txt", "\"-Log=C:\\My Games\\JazzLog1.txt\""},
        {"", "\"\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\folder with space\\", "\"C:\\folder with space\\\\\""},
        {"a\\\\\"b", "\"a\\\\\\\\\\\"b\""},
        {"tab\there", "\"tab\there\""},
        {"x\\y\\", "x\\y\\"},
    };
    for (const auto& each : cases)
        EXPECT_EQ(windowsCommandLine("game.exe", {each.argument}), "\"game.exe\" " + each.written) << each.argument;
}

TEST(WindowsCommandLine, QuotesTheProgramAndRefusesOneWithAQuote) {
    EXPECT_EQ(windowsCommandLine("C:\\Program Files\\Jazz2\\Jazz2.exe", {"-spy", "-connect", "192.0.2.5"}),
              "\"C:\\Program Files\\Jazz2\\Jazz2.exe\" -spy -connect 192.0.2.5");
    EXPECT_EQ(windowsCommandLine("C:\\Games\\Jazz2.exe", {}), "\"C:\\Games\\Jazz2.exe\"");
    EXPECT_FALSE(windowsCommandLine("C:\\Ga\"mes\\Jazz2.exe", {"-spy"}));
}

} // namespace
} // namespace velberd
