#include "chareditor/registry/registryapi.h"
#include "recordingbackend.h"

#include <gtest/gtest.h>

namespace velberd::registry {
namespace {

using testing::RecordingBackend;

class KeyPathTest : public ::testing::Test {
protected:
    RecordingBackend backend;
    std::vector<std::string> messages;
    Registry registry{backend, [this](std::string_view path) { messages.push_back(incorrectFormatText(path)); }};
};

TEST_F(KeyPathTest, RootAloneOpensTheRootKeyItself) {
    readStringValue(registry, "HKEY_USERS", "Name");
    ASSERT_EQ(backend.opens.size(), 1u);
    EXPECT_EQ(backend.opens[0].root, 0x80000003u);
    EXPECT_EQ(backend.opens[0].subKey, "");
    EXPECT_TRUE(messages.empty());
}

TEST_F(KeyPathTest, SubKeyIsEverythingAfterTheFirstBackslash) {
    const KeyPath key = parseKeyPath("HKEY_CURRENT_USER\\Software\\Epic MegaGames\\Player0", nullptr);
    EXPECT_EQ(key.root, 0x80000001u);
    EXPECT_EQ(key.subKey, "Software\\Epic MegaGames\\Player0");
}

TEST_F(KeyPathTest, MalformedPathsShowTheMessageAndTouchNoKey) {
    for (const std::string path : {"HKEY_USERS\\", "hkey_users\\.Default\\Software", "HKEY_USERS\\.Default\\"}) {
        SCOPED_TRACE(path);
        messages.clear();
        EXPECT_EQ(readStringValue(registry, path, "Name"), "");
        EXPECT_EQ(readBinaryValue(registry, path, "Color"), "");
        writeStringValue(registry, path, "Name", "x");
        writeBinaryValue(registry, path, "Color", "abcd");
        ASSERT_EQ(messages.size(), 4u);
        EXPECT_EQ(messages[0], "Incorrect Format:\n\n" + path);
    }
    EXPECT_TRUE(backend.opens.empty());
    EXPECT_TRUE(backend.sets.empty());
}

TEST_F(KeyPathTest, UnknownRootInAWellFormedPathIsSilentAndReadsEmpty) {
    for (const std::string path : {"HKEY_Users\\.Default", "HKEY_USER\\.Default", "HKEY_SOMETHING"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(parseKeyPath(path, nullptr).root, 0u);
        EXPECT_EQ(readStringValue(registry, path, "Name"), "");
        EXPECT_EQ(readBinaryValue(registry, path, "Char"), "");
        EXPECT_EQ(writeBinaryValue(registry, path, "Char", std::string("\x37\0\0\0", 4)), kInvalidHandle);
    }
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(backend.opens.empty());
    EXPECT_TRUE(backend.sets.empty());
}

TEST_F(KeyPathTest, EveryRootNameMatchesExactly) {
    EXPECT_EQ(rootKeyFromName("HKEY_CLASSES_ROOT"), 0x80000000u);
    EXPECT_EQ(rootKeyFromName("HKEY_CURRENT_USER"), 0x80000001u);
    EXPECT_EQ(rootKeyFromName("HKEY_LOCAL_MACHINE"), 0x80000002u);
    EXPECT_EQ(rootKeyFromName("HKEY_USERS"), 0x80000003u);
    EXPECT_EQ(rootKeyFromName("HKEY_PERFORMANCE_DATA"), 0x80000004u);
    EXPECT_EQ(rootKeyFromName("HKEY_CURRENT_CONFIG"), 0x80000005u);
    EXPECT_EQ(rootKeyFromName("HKEY_DYN_DATA"), 0x80000006u);
    EXPECT_EQ(rootKeyFromName("HKEY_USERS "), 0u);
    EXPECT_EQ(rootKeyFromName(""), 0u);
}

TEST_F(KeyPathTest, ReadsOpenForReadingAndWritesForWritingAndAlwaysClose) {
    backend.values["Name"] = std::string("Jazz\0", 5);
    readStringValue(registry, "HKEY_USERS\\.Default", "Name");
    readBinaryValue(registry, "HKEY_USERS\\.Default", "Name");
    writeStringValue(registry, "HKEY_USERS\\.Default", "Name", "Spaz");
    writeBinaryValue(registry, "HKEY_USERS\\.Default", "Char", std::string("\x55\0\0\0", 4));
    ASSERT_EQ(backend.opens.size(), 4u);
    EXPECT_EQ(backend.opens[0].access, 0x20019u);
    EXPECT_EQ(backend.opens[1].access, 0x20019u);
    EXPECT_EQ(backend.opens[2].access, 0x20006u);
    EXPECT_EQ(backend.opens[3].access, 0x20006u);
    EXPECT_EQ(backend.openKeys, 0);
}

TEST_F(KeyPathTest, WritesStoreTheTerminatedTextAndTheExactBytes) {
    writeStringValue(registry, "HKEY_USERS\\.Default", "Name", "Jazz");
    writeBinaryValue(registry, "HKEY_USERS\\.Default", "Color", std::string("\0\x20\xff\x80", 4));
    ASSERT_EQ(backend.sets.size(), 2u);
    EXPECT_EQ(backend.sets[0].type, 1u);
    EXPECT_EQ(backend.sets[0].data, std::string("Jazz\0", 5));
    EXPECT_EQ(backend.sets[1].type, 3u);
    EXPECT_EQ(backend.sets[1].data, std::string("\0\x20\xff\x80", 4));
}

TEST_F(KeyPathTest, StringReadOffersTwoHundredFiftyFiveBytesAndBinaryReadProbesWithOne) {
    backend.values["Color"] = std::string(600, '\x20');
    readStringValue(registry, "HKEY_USERS\\.Default", "Color");
    EXPECT_EQ(readBinaryValue(registry, "HKEY_USERS\\.Default", "Color").size(), 600u);
    EXPECT_EQ(backend.querySizes, (std::vector<std::uint32_t>{255, 1, 600}));
}

} // namespace
} // namespace velberd::registry
