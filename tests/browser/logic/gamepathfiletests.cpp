#include "browser/logic/gamepathfile.h"

#include <gtest/gtest.h>

namespace velberd {
namespace {

void expectPaths(std::string_view file, std::string_view classic, std::string_view secretFiles) {
    const auto paths = parseGamePathFile(file);
    EXPECT_EQ(paths.classic, classic) << "file: " << file;
    EXPECT_EQ(paths.secretFiles, secretFiles) << "file: " << file;
}

TEST(GamePathFile, ReadsTheTwoLinesDorrickWrites) {
    expectPaths("c:\\games\\jazz2\\jazz2.exe\r\nc:\\games\\jazz2tsf\\jazz2.exe\r\n", "c:\\games\\jazz2\\jazz2.exe",
                "c:\\games\\jazz2tsf\\jazz2.exe");
    expectPaths("a.exe\r\nb.exe", "a.exe", "b.exe");
    expectPaths("\r\nb.exe\r\n", "", "b.exe");
    expectPaths("a.exe\r\n\r\n", "a.exe", "");
}

TEST(GamePathFile, KeepsFurtherLinesInTheSecondEntry) {
    expectPaths("a\r\nb\r\nc\r\n", "a", "b\r\nc");
    expectPaths("a\r\nb\r\nc\r\nd", "a", "b\r\nc\r\nd");
}

TEST(GamePathFile, EmptyOrSingleLineFilesGiveEmptyEntries) {
    expectPaths("", "", "");
    expectPaths("\r\n", "", "");
    expectPaths("only.exe\r\n", "only.exe", "");
    expectPaths("only.exe", "only.exe", "");
}

TEST(GamePathFile, OtherLineEnds) {
    expectPaths("a\rb\r", "a", "b");
    expectPaths("a\nb\n", "a", "b");
    expectPaths("a\nb", "a", "b");
    expectPaths("a\nb\nc\n", "a", "b\nc");
}

TEST(GamePathFile, BytesPassThroughUnchanged) {
    expectPaths(std::string_view("c:\\j\xe4ger\0x\r\n\x80\xff\r\n", 14), std::string_view("c:\\j\xe4ger\0x", 10),
                "\x80\xff");
}

} // namespace
} // namespace velberd
