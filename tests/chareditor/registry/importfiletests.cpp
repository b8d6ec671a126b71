#include "chareditor/registry/importfile.h"

#include <gtest/gtest.h>

namespace velberd::registry {
namespace {

const std::string kKey = "HKEY_USERS\\.Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2\\1.23\\Player0";

// The file's text, read back from UTF-16LE; a byte that is not ASCII's second half-word shows as '?'.
std::string text(const std::string& file) {
    std::string ascii;
    for (std::size_t i = 2; i + 1 < file.size(); i += 2)
        ascii += file[i + 1] == '\0' ? file[i] : '?';
    return ascii;
}

TEST(ImportFile, EveryValueIsHexUnderItsKeyInUtf16) {
    // A name that would end the string or the line, written as the registry holds it.
    const std::string name("\"\0\\\0\n\0J\0\0\0", 10);
    const auto file = importFile(
        kKey,
        {{"Name", kRegSz, name}, {"Color", kRegBinary, std::string("\x0a\xff\x00\x28", 4)}, {"Count", 11, "\x01"}});
    ASSERT_TRUE(file);
    EXPECT_EQ(file->substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(text(*file), "Windows Registry Editor Version 5.00\r\n\r\n[" + kKey +
                               "]\r\n\"Name\"=hex(1):22,00,5c,00,0a,00,4a,00,00,00\r\n"
                               "\"Color\"=hex:0a,ff,00,28\r\n\"Count\"=hex(b):01\r\n\r\n");
}

TEST(ImportFile, RefusesWhatTheFormatCannotHoldAsItIs) {
    for (const std::string& key : {kKey + "]\r\n[HKEY_LOCAL_MACHINE\\Run", std::string("Software\\Velberd"),
                                   kKey + "\\", std::string("HKEY_USERS\\caf\xe9"), kKey + "]x"}) {
        EXPECT_FALSE(importFile(key, {})) << key;
    }
    for (const std::string name : {"Na\"me", "", "Na]me", "Na\\me"})
        EXPECT_FALSE(importFile(kKey, {{name, kRegBinary, "x"}})) << name;
}

} // namespace
} // namespace velberd::registry
