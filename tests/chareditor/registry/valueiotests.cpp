#include "chareditor/registry/registryapi.h"
#include "testregistry.h"

#include <gtest/gtest.h>

namespace velberd::registry {
namespace {

using testing::TestRegistry;

class ValueIoTest : public ::testing::Test {
protected:
    TestRegistry test;
    int malformedCount = 0;
    Registry registry{test.backend(), [this](std::string_view) { ++malformedCount; }};

    std::string missingKey() const { return test.path() + "\\Missing"; }
};

TEST_F(ValueIoTest, StringReadsUpToTwoHundredFiftyFourCharacters) {
    const std::string longest(254, 'a');
    test.store("Fits", kRegSz, longest + '\0');
    test.store("TooLong", kRegSz, std::string(255, 'b') + '\0');
    EXPECT_EQ(readStringValue(registry, test.path(), "Fits"), longest);
    EXPECT_EQ(readStringValue(registry, test.path(), "TooLong"), "Error");
}

TEST_F(ValueIoTest, StringReadLosesLeadingSpacesAndKeepsTrailingOnes) {
    test.store("Leading", kRegSz, std::string("  Jazz\0", 7));
    test.store("Trailing", kRegSz, std::string("Spaz \0", 6));
    test.store("Empty", kRegSz, std::string());
    test.store("Terminator", kRegSz, std::string(1, '\0'));
    EXPECT_EQ(readStringValue(registry, test.path(), "Leading"), "Jazz");
    EXPECT_EQ(readStringValue(registry, test.path(), "Trailing"), "Spaz ");
    EXPECT_EQ(readStringValue(registry, test.path(), "Empty"), "");
    EXPECT_EQ(readStringValue(registry, test.path(), "Terminator"), "");
}

TEST_F(ValueIoTest, MissingValuesAndKeysReadAsError) {
    EXPECT_EQ(readStringValue(registry, test.path(), "Name"), "Error");
    EXPECT_EQ(readBinaryValue(registry, test.path(), "Color"), "Error");
    EXPECT_EQ(readStringValue(registry, missingKey(), "Name"), "Error");
    EXPECT_EQ(readBinaryValue(registry, missingKey(), "Color"), "Error");
    EXPECT_EQ(malformedCount, 0);
}

TEST_F(ValueIoTest, BinaryReadsReturnEveryByte) {
    const std::string spacesAndZeros("\0 \0  \0", 6);
    std::string everyByte;
    for (int i = 0; i < 600; ++i)
        everyByte.push_back(static_cast<char>(i % 256));
    test.store("Color", kRegBinary, spacesAndZeros);
    test.store("Long", kRegBinary, everyByte);
    test.store("One", kRegBinary, " ");
    test.store("None", kRegBinary, "");
    EXPECT_EQ(readBinaryValue(registry, test.path(), "Color"), spacesAndZeros);
    EXPECT_EQ(readBinaryValue(registry, test.path(), "Long"), everyByte);
    EXPECT_EQ(readBinaryValue(registry, test.path(), "One"), " ");
    EXPECT_EQ(readBinaryValue(registry, test.path(), "None"), "");
}

TEST_F(ValueIoTest, WrittenStringsAreTerminatedAndReadBack) {
    const std::string name = "J\xe9z\x80 |x";
    EXPECT_EQ(writeStringValue(registry, test.path(), "Name", name), kSuccess);
    const auto stored = test.stored("Name");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, kRegSz);
    EXPECT_EQ(stored->bytes, name + '\0');
    EXPECT_EQ(readStringValue(registry, test.path(), "Name"), name);

    writeStringValue(registry, test.path(), "Name", "");
    EXPECT_EQ(test.stored("Name")->bytes, std::string(1, '\0'));
    EXPECT_EQ(readStringValue(registry, test.path(), "Name"), "");
}

TEST_F(ValueIoTest, WrittenBinaryValuesKeepTheirExactBytes) {
    const std::string color("\x00\x0a\x20\xff", 4);
    writeBinaryValue(registry, test.path(), "Color", color);
    writeBinaryValue(registry, test.path(), "Char", std::string("\x59\0\0\0", 4));
    const auto stored = test.stored("Color");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, kRegBinary);
    EXPECT_EQ(stored->bytes, color);
    EXPECT_EQ(readBinaryValue(registry, test.path(), "Color"), color);
    EXPECT_EQ(readBinaryValue(registry, test.path(), "Char"), std::string("\x59\0\0\0", 4));

    writeBinaryValue(registry, test.path(), "Color", "\x01\x02\x03\x04");
    EXPECT_EQ(readBinaryValue(registry, test.path(), "Color"), "\x01\x02\x03\x04");
}

TEST_F(ValueIoTest, WritingToAMissingKeyChangesNothingAndSaysSo) {
    EXPECT_EQ(writeStringValue(registry, missingKey(), "Name", "Jazz"), kFileNotFound);
    EXPECT_EQ(writeBinaryValue(registry, missingKey(), "Color", "abcd"), kFileNotFound);
    KeyHandle handle = 0;
    const KeyPath missing = parseKeyPath(missingKey(), nullptr);
    EXPECT_NE(test.backend().openKey(missing.root, missing.subKey, kKeyRead, handle), kSuccess);
    EXPECT_EQ(readStringValue(registry, missingKey(), "Name"), "Error");
    EXPECT_FALSE(test.stored("Name"));
    EXPECT_FALSE(test.stored("Color"));
}

} // namespace
} // namespace velberd::registry
