// The host's reader of swatch files, for the palettes listing.
#include <gtest/gtest.h>

#include "cli_test_files.h"
#include "vendrel/host/PluginModule.h"
#include "vendrel/host/SwatchFile.h"

namespace vendrel {
namespace {

using test::TempFolder;

const std::string corpusSwatches = std::string(VENDREL_CORPUS_DIR) + "/aco/";

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
        test::writeBytes(folder.file("test.aco"), bytes);
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
        test::writeBytes(folder.file(name), {});
    }
    EXPECT_EQ(listSwatchFiles(folder.path()), (std::vector<std::string>{".aco", "Pastels.aco", "b.aco"}));
    EXPECT_TRUE(listSwatchFiles(folder.file("missing")).empty());
}

TEST_F(SwatchFileTest, CorpusPhotoshopExportWithTrailerAndUnicodeNames)
{
    std::string path = corpusSwatches + "kdybicz_utf.aco";
    if (!test::fileExists(path)) {
        GTEST_SKIP() << "corpus not present: " << path;
    }
    std::vector<Swatch> colors = readSwatchFile(path);
    ASSERT_EQ(colors.size(), 3u);
    for (const Swatch& swatch : colors) {
        EXPECT_EQ(swatch.colorSpace, 1) << "HSB";
    }
    bool polish = false, japanese = false;
    for (const Swatch& swatch : colors) {
        polish = polish || swatch.name == "Zażółć gęślą jaźń";
        japanese = japanese || swatch.name == "チェリー";
    }
    EXPECT_TRUE(polish);
    EXPECT_TRUE(japanese);
}

TEST_F(SwatchFileTest, CorpusNamesWithoutTerminators)
{
    std::string path = corpusSwatches + "cpc_arne-v20-16.aco";
    if (!test::fileExists(path)) {
        GTEST_SKIP() << "corpus not present: " << path;
    }
    std::vector<Swatch> colors = readSwatchFile(path);
    ASSERT_EQ(colors.size(), 16u);
    EXPECT_EQ(colors[0].name, "Void");
    for (const Swatch& swatch : colors) {
        EXPECT_FALSE(swatch.name.empty());
    }
}

} // namespace
} // namespace vendrel
