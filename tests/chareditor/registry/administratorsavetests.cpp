#include "chareditor/registry/administratorsave.h"
#include "recordingbackend.h"

#include <gtest/gtest.h>

namespace velberd::registry {
namespace {

const std::string kKey = "HKEY_USERS\\.Default\\Software\\Epic MegaGames\\Jazz Jackrabbit 2\\1.23\\Player0";
const std::string kColour = "\x10\x20\x30\x40";
const std::string kTourUtf16("T\0o\0u\0r\0", 8);

TEST(AdministratorSave, TheNameAndWhatTheOtherFieldsHold) {
    const ImportedValue name{"Name", kRegSz, kTourUtf16 + std::string(2, '\0')};
    const ImportedValue colour{"Color", kRegBinary, kColour};
    const ImportedValue spaz{"Char", kRegBinary, std::string("\x55\0\0\0", 4)};
    const struct {
        std::string colour; // the bytes of the boxes that hold one
        std::optional<unsigned char> character;
        std::vector<ImportedValue> values;
        std::string shown;
    } rows[] = {
        {kColour, 0x55, {name, colour, spaz}, "name, colours and character"},
        {kColour, std::nullopt, {name, colour}, "name and colours"},
        {"\x10\x20\x30", 0x55, {name, spaz}, "name and character"},
        {"", std::nullopt, {name}, "name"},
    };
    for (const auto& row : rows) {
        const AdministratorSave save = administratorSave(kKey, {"Tour", kTourUtf16, row.colour, row.character});
        EXPECT_EQ(save.keyPath, kKey);
        EXPECT_EQ(save.values, row.values) << row.shown;
        EXPECT_EQ(save.shown, row.shown);
    }
}

// After the tool has ended, one value reads back as `reads` (none: missing), the others as shown.
TEST(AdministratorSave, SavedOnlyWhenEveryValueReadsBackAsShown) {
    const struct {
        std::string value;
        std::optional<std::string> reads;
        bool saved;
    } rows[] = {
        {"Name", std::string("Tour\0", 5), true}, // as shown
        {"Name", "Tour", false},                  // without its terminator
        {"Name", kTourUtf16, false},              // not in the code page
        {"Color", "\x10\x20\x30\x41", false},
        {"Char", std::nullopt, false},
        {"Count", "\x01", true}, // a value the save does not set
    };
    for (const auto& row : rows) {
        testing::RecordingBackend backend;
        backend.values = {{"Name", std::string("Tour\0", 5)}, {"Color", kColour}, {"Char", characterValue(0x37)}};
        if (row.reads) {
            backend.values[row.value] = *row.reads;
        } else {
            backend.values.erase(row.value);
        }
        const auto save = administratorSave(kKey, {"Tour", kTourUtf16, kColour, 0x37});
        EXPECT_EQ(readsBackAsShown({backend, nullptr}, save), row.saved) << row.value << ' ' << row.reads.has_value();
    }
}

} // namespace
} // namespace velberd::registry
