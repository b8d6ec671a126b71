#include "chareditor/registry/cp1252.h"
#include "chareditor/registry/winestring.h"

#include <gtest/gtest.h>

namespace velberd::registry {
namespace {

std::optional<std::u16string> parseQuoted(std::string_view text) {
    std::size_t pos = 1;
    return parseWineString(text, pos, text.front() == '[' ? ']' : '"');
}

TEST(WineText, EscapesAboveOneHundredTwentySevenAreUtf16CodeUnits) {
    EXPECT_EQ(dumpWineString(u"Caf\u00e9", "\""), "Caf\\xe9");
    // A hex digit behind an escape would be read as part of it: Wine pads to four digits then.
    EXPECT_EQ(dumpWineString(u"\u20ac5", "\""), "\\x20ac5");
    EXPECT_EQ(dumpWineString(u"\u00e9a", "\""), "\\x00e9a");
    EXPECT_EQ(parseQuoted("\"\\x00e9a\""), u"\u00e9a");
    EXPECT_EQ(parseQuoted("\"\\x20ac5\""), u"\u20ac5");
    EXPECT_EQ(parseQuoted("\"Caf\\xe9\""), u"Caf\u00e9");
}

TEST(WineText, ControlCharactersQuotesAndBackslashes) {
    EXPECT_EQ(dumpWineString(u"a\tb\nc\"d\\e", "\""), "a\\tb\\nc\\\"d\\\\e");
    EXPECT_EQ(dumpWineString(std::u16string(u"x\x01"
                                            u"7\x02",
                                            4),
                             "\""),
              "x\\0017\\2");
    EXPECT_EQ(dumpWineString(u"a]b", "[]"), "a\\]b");
    EXPECT_EQ(parseQuoted("\"a\\tb\\nc\\\"d\\\\e\""), u"a\tb\nc\"d\\e");
    EXPECT_EQ(parseQuoted("\"x\\0017\\2\""), std::u16string(u"x\x01"
                                                            u"7\x02",
                                                            4));
    EXPECT_EQ(parseQuoted("[Software\\\\A\\]B] 170"), u"Software\\A]B");
}

TEST(WineText, RawUtf8AndUnterminatedText) {
    EXPECT_EQ(parseQuoted("\"Caf\xc3\xa9 \xe2\x82\xac\""), u"Caf\u00e9 \u20ac");
    EXPECT_FALSE(parseQuoted("\"no end"));
    EXPECT_FALSE(parseQuoted("\"escaped end\\\""));
}

TEST(WineText, EveryWindows1252ByteRoundTripsThroughUtf16) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all.push_back(static_cast<char>(byte));
    const std::u16string wide = utf16FromCp1252(all);
    EXPECT_EQ(wide[0x80], u'\u20ac');
    EXPECT_EQ(wide[0x81], u'\u0081');
    EXPECT_EQ(wide[0x9f], u'\u0178');
    EXPECT_EQ(wide[0xe9], u'\u00e9');
    EXPECT_EQ(cp1252FromUtf16(wide), all);
    EXPECT_EQ(parseQuoted('"' + dumpWineString(wide, "\"") + '"'), wide);
    EXPECT_EQ(cp1252FromUtf16(u"\u0416\u20ac"), "?\x80");
}

} // namespace
} // namespace velberd::registry
