// The plug-in's Mac OS Roman text on a UTF-8 terminal.
#include <gtest/gtest.h>

#include "vendrel/host/MacRoman.h"

namespace vendrel::test {
namespace {

TEST(MacRomanTest, PlainAsciiIsKept)
{
    EXPECT_EQ(macRomanToUtf8("The color to fill was not found!\nCheck."), "The color to fill was not found!\nCheck.");
    EXPECT_EQ(macRomanToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(MacRomanTest, UpperHalfBecomesItsUnicodeCharacter)
{
    EXPECT_EQ(macRomanToUtf8("Photoshop\xA8"), "Photoshop\u00AE");   // registered sign
    EXPECT_EQ(macRomanToUtf8("\xA9 2013"), "\u00A9 2013");           // copyright sign
    EXPECT_EQ(macRomanToUtf8("\xAA"), "\u2122");                     // trade mark, three bytes
    EXPECT_EQ(macRomanToUtf8("\x80\x8E\x9F"), "\u00C4\u00E9\u00FC"); // Ä é ü
    EXPECT_EQ(macRomanToUtf8("\xC9\xD0\xD2\xD3"), "\u2026\u2013\u201C\u201D");
    EXPECT_EQ(macRomanToUtf8("\xDB"), "\u20AC"); // euro sign
    EXPECT_EQ(macRomanToUtf8("\xCA"), "\u00A0"); // no-break space
    EXPECT_EQ(macRomanToUtf8("\xF0"), "\uF8FF"); // Apple logo, private use
    EXPECT_EQ(macRomanToUtf8("\xFF"), "\u02C7"); // caron
}

TEST(MacRomanTest, EveryUpperByteGivesOneWellFormedCharacter)
{
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        std::string utf8 = macRomanToUtf8(std::string(1, char(byte)));
        ASSERT_GE(utf8.size(), 2u) << std::hex << byte;
        ASSERT_LE(utf8.size(), 3u) << std::hex << byte;
        uint8_t lead = uint8_t(utf8[0]);
        EXPECT_EQ(utf8.size(), lead >= 0xE0 ? 3u : 2u) << std::hex << byte;
        for (size_t i = 1; i < utf8.size(); ++i) {
            EXPECT_EQ(uint8_t(utf8[i]) & 0xC0, 0x80) << std::hex << byte;
        }
    }
}

} // namespace
} // namespace vendrel::test
