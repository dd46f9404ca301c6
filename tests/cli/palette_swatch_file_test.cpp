// The host's reader of swatch files, for the palettes listing.
#include <gtest/gtest.h>

#include "cli_test_files.h"
#include "swatch_file_bytes.h"
#include "vendrel/host/PluginModule.h"
#include "vendrel/host/SwatchFile.h"

namespace vendrel::test {
namespace {

std::vector<uint8_t> words(std::initializer_list<uint16_t> values)
{
    std::vector<uint8_t> bytes;
    for (uint16_t value : values) {
        bytes.push_back(uint8_t(value >> 8));
        bytes.push_back(uint8_t(value & 0xFF));
    }
    return bytes;
}

std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class SwatchFileTest : public ::testing::Test {
protected:
    std::vector<Swatch> read(const std::vector<uint8_t>& bytes)
    {
        writeBytes(folder.file("test.aco"), bytes);
        return readSwatchFile(folder.file("test.aco"));
    }
    TempFolder folder;
};

TEST_F(SwatchFileTest, FirstSectionGivesTheColoursInFileOrder)
{
    std::vector<Swatch> colors = read(words({1, 2, 0, 0xFFFF, 0x8000, 0, 0, 2, 1, 2, 3, 4}));
    ASSERT_EQ(colors.size(), 2u);
    EXPECT_EQ(colors[0].colorSpace, 0);
    EXPECT_EQ(colors[0].components, (std::array<uint16_t, 4>{0xFFFF, 0x8000, 0, 0}));
    EXPECT_EQ(colors[1].colorSpace, 2);
    EXPECT_EQ(colors[1].components, (std::array<uint16_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ(colors[0].name, "");
}

TEST_F(SwatchFileTest, SecondSectionNamesTheColoursWithOrWithoutTerminator)
{
    std::vector<uint8_t> first = words({1, 2, 0, 0xFFFF, 0, 0, 0, 0, 0, 0xFFFF, 0, 0});
    // "Rød" with its terminating zero counted, then "Go" without one.
    std::vector<uint8_t> second =
        words({2, 2, 0, 0xFFFF, 0, 0, 0, 0, 4, 'R', 0xF8, 'd', 0}) + words({0, 0, 0xFFFF, 0, 0, 0, 2, 'G', 'o'});
    std::vector<Swatch> colors = read(first + second);
    ASSERT_EQ(colors.size(), 2u);
    EXPECT_EQ(colors[0].name, "R\u00F8d");
    EXPECT_EQ(colors[1].name, "Go");
}

TEST_F(SwatchFileTest, FilesTheFilterCannotReadGiveNoOrFewerColours)
{
    EXPECT_TRUE(read({}).empty());
    EXPECT_TRUE(read(words({1})).empty());
    EXPECT_TRUE(read(words({2, 1, 0, 1, 2, 3, 0})).empty()) << "a file starting with the named section";
    std::vector<Swatch> cut = read(words({1, 5, 0, 1, 2, 3, 4, 0, 5, 6, 7, 8, 0, 9}));
    ASSERT_EQ(cut.size(), 2u) << "the colours read whole";
    EXPECT_EQ(cut[1].components[0], 5);
    EXPECT_THROW(readSwatchFile(folder.file("missing.aco")), HostError);
}

TEST_F(SwatchFileTest, ColoursAreDescribedInTheirOwnModel)
{
    EXPECT_EQ(describeSwatch({0, {0xF0F0, 0xA8A8, 0x0000, 0}, ""}), "#F0A800");
    EXPECT_EQ(describeSwatch({1, {32768, 65535, 32768, 0}, ""}), "HSB 180° 100% 50%");
    EXPECT_EQ(describeSwatch({2, {65535, 0, 65535, 32768}, ""}), "CMYK 0% 100% 0% 50%");
    EXPECT_EQ(describeSwatch({7, {7000, uint16_t(-3800), uint16_t(-2500), 0}, ""}), "Lab 70 -38 -25");
    EXPECT_EQ(describeSwatch({3, {1, 2, 3, 4}, ""}), "colour space 3 (1 2 3 4)");
}

TEST_F(SwatchFileTest, ListingOffersExactlyTheNamesEndingInAco)
{
    for (const char* name : {"Pastels.aco", "notes.txt", "BIG.ACO", "old.aco.bak", ".aco", "b.aco"}) {
        writeBytes(folder.file(name), {});
    }
    EXPECT_EQ(listSwatchFiles(folder.path()), (std::vector<std::string>{".aco", "Pastels.aco", "b.aco"}));
    EXPECT_TRUE(listSwatchFiles(folder.file("missing")).empty());
}

TEST_F(SwatchFileTest, EachColourSpaceReadsFromEitherFileVersion)
{
    const std::vector<SwatchRecord>& records = swatchOfEachColorSpace();
    for (bool named : {false, true}) {
        std::vector<Swatch> colors = read(swatchFileBytes(records, named));
        ASSERT_EQ(colors.size(), records.size());
        for (size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(colors[i].colorSpace, records[i].colorSpace);
            EXPECT_EQ(colors[i].components, records[i].components);
        }
        EXPECT_EQ(colors[0].name, named ? "Red" : "");
        EXPECT_EQ(colors[4].name, named ? "Grey" : "");
    }
}

TEST_F(SwatchFileTest, UnicodeNamesAndDataAfterTheSections)
{
    // As an application exports a swatch group: names beyond Latin-1, then data of its own after the sections.
    std::vector<uint8_t> bytes = swatchFileBytes(
        {{1, {0x2A2A, 0xA8A8, 0xE3E3, 0}, u"Za\u017C\u00F3\u0142\u0107 g\u0119\u015Bl\u0105 ja\u017A\u0144"},
         {1, {0xF2F2, 0xEAEA, 0xAFAF, 0}, u"\u30C1\u30A7\u30EA\u30FC"}},
        true);
    for (char c : std::string("8BSC\0\0\0\x01groupEnd", 16)) {
        bytes.push_back(uint8_t(c));
    }
    std::vector<Swatch> colors = read(bytes);
    ASSERT_EQ(colors.size(), 2u);
    EXPECT_EQ(colors[0].name, "Zażółć gęślą jaźń");
    EXPECT_EQ(colors[1].name, "チェリー");
    EXPECT_EQ(colors[1].components, (std::array<uint16_t, 4>{0xF2F2, 0xEAEA, 0xAFAF, 0}));
}

} // namespace
} // namespace vendrel::test
