// Reading swatch files into palettes, and handing their colours out in a cycle.
#include <gtest/gtest.h>

#include <boost/filesystem.hpp>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CPSPalette.h"
#include "SwatchColor.h"
#include "swatch_file_bytes.h"

namespace vendrel::test {
namespace {

namespace fs = boost::filesystem;

class SwatchFile : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (const std::string& path : files)
            fs::remove(path);
    }
    std::string Write(const std::vector<uint8>& bytes)
    {
        const fs::path path = fs::temp_directory_path() / fs::unique_path("palette-%%%%-%%%%.aco");
        std::ofstream out(path.string(), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        files.push_back(path.string());
        return path.string();
    }
    std::vector<std::string> files;
};

std::vector<uint8> Record(uint16 id, uint16 a, uint16 b, uint16 c, uint16 d)
{
    return {uint8(id >> 8), uint8(id),     uint8(a >> 8), uint8(a),      uint8(b >> 8),
            uint8(b),       uint8(c >> 8), uint8(c),      uint8(d >> 8), uint8(d)};
}

std::vector<uint8> File(uint16 version, uint16 count, const std::vector<std::vector<uint8>>& records)
{
    std::vector<uint8> bytes = {uint8(version >> 8), uint8(version), uint8(count >> 8), uint8(count)};
    for (const auto& r : records)
        bytes.insert(bytes.end(), r.begin(), r.end());
    return bytes;
}

SwatchColor Next(CPSPalette& palette)
{
    SwatchColor color{0xEEEE, {0xEEEE, 0xEEEE, 0xEEEE, 0xEEEE}};
    palette.NextColor(color);
    return color;
}

void ExpectColor(const SwatchColor& color, uint16 id, uint16 a, uint16 b, uint16 c, uint16 d)
{
    EXPECT_EQ(color.colorSpace, id);
    EXPECT_EQ(color.components[0], a);
    EXPECT_EQ(color.components[1], b);
    EXPECT_EQ(color.components[2], c);
    EXPECT_EQ(color.components[3], d);
}

TEST(SwatchRecord, TenBigEndianBytesGiveTheIdAndFourComponents)
{
    std::istringstream in(std::string("\x00\x00\xFF\xFF\x80\x00\x00\x00\x00\x00", 10));
    SwatchColor color{};
    ASSERT_TRUE(in >> color);
    ExpectColor(color, 0, 65535, 32768, 0, 0);
    std::istringstream mixed(std::string("\x00\x07\x12\x34\xAB\xCD\x00\x01\x10\x00", 10));
    ASSERT_TRUE(mixed >> color);
    ExpectColor(color, 7, 0x1234, 0xABCD, 1, 0x1000);
}

TEST(SwatchRecord, ShortRecordFailsTheStream)
{
    std::istringstream in(std::string("\x00\x00\xFF\xFF\x80", 5));
    SwatchColor color{};
    EXPECT_FALSE(in >> color);
}

TEST(SwatchRecord, HostSpacesOfTheColourModels)
{
    const struct {
        uint16 id;
        int16 space;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {7, 3}, {8, 4}, {3, -1}, {4, -1}, {6, -1}, {9, -1}, {65535, -1}};
    for (const auto& c : cases)
        EXPECT_EQ((SwatchColor{c.id, {0, 0, 0, 0}}.HostColorSpace()), c.space) << c.id;
}

TEST_F(SwatchFile, TwoRecordsAreHandedOutInTurn)
{
    CPSPalette palette(Write(File(1, 2, {Record(0, 1, 2, 3, 4), Record(2, 5, 6, 7, 8)})).c_str());
    ASSERT_EQ(palette.Count(), 2u);
    EXPECT_FALSE(palette.IsEmpty());
    for (int round = 0; round < 3; ++round) {
        ExpectColor(Next(palette), 0, 1, 2, 3, 4);
        ExpectColor(Next(palette), 2, 5, 6, 7, 8);
    }
}

TEST_F(SwatchFile, OneColourIsHandedOutEveryTime)
{
    CPSPalette palette(Write(File(1, 1, {Record(8, 5000, 0, 0, 0)})).c_str());
    for (int i = 0; i < 4; ++i)
        ExpectColor(Next(palette), 8, 5000, 0, 0, 0);
}

TEST_F(SwatchFile, VersionTwoSectionAfterTheFirstIsIgnored)
{
    std::vector<uint8> bytes = File(1, 3, {Record(0, 1, 1, 1, 0), Record(0, 2, 2, 2, 0), Record(0, 3, 3, 3, 0)});
    const std::vector<uint8> second = File(2, 3, {Record(0, 9, 9, 9, 0), {0, 0, 0, 2, 0, 'A', 0, 0}});
    bytes.insert(bytes.end(), second.begin(), second.end());
    CPSPalette palette(Write(bytes).c_str());
    ASSERT_EQ(palette.Count(), 3u);
    ExpectColor(Next(palette), 0, 1, 1, 1, 0);
    ExpectColor(Next(palette), 0, 2, 2, 2, 0);
    ExpectColor(Next(palette), 0, 3, 3, 3, 0);
    ExpectColor(Next(palette), 0, 1, 1, 1, 0);
}

TEST_F(SwatchFile, FileBeginningWithVersionTwoLoadsNothing)
{
    CPSPalette palette(Write(File(2, 1, {Record(0, 1, 1, 1, 0), {0, 0, 0, 1, 0, 0}})).c_str());
    EXPECT_TRUE(palette.IsEmpty());
}

TEST_F(SwatchFile, TruncatedRecordIsDropped)
{
    std::vector<uint8> bytes = File(1, 5, {Record(0, 1, 1, 1, 0), Record(1, 2, 2, 2, 0)});
    const std::vector<uint8> half = Record(0, 3, 3, 3, 0);
    bytes.insert(bytes.end(), half.begin(), half.begin() + 5);
    CPSPalette palette(Write(bytes).c_str());
    ASSERT_EQ(palette.Count(), 2u);
    ExpectColor(Next(palette), 0, 1, 1, 1, 0);
    ExpectColor(Next(palette), 1, 2, 2, 2, 0);
    ExpectColor(Next(palette), 0, 1, 1, 1, 0);
}

TEST_F(SwatchFile, ShortHeadersAndZeroCountLoadNothing)
{
    for (const std::vector<uint8>& bytes :
         std::vector<std::vector<uint8>>{{}, {0}, {0, 1}, {0, 1, 0}, {0, 1, 0, 0}, {1, 0, 0, 1}, {0, 0, 0, 1}}) {
        std::vector<uint8> file = bytes;
        if (bytes.size() == 4 && bytes[3] == 1) {
            const auto r = Record(0, 1, 1, 1, 0);
            file.insert(file.end(), r.begin(), r.end());
        }
        CPSPalette palette(Write(file).c_str());
        EXPECT_TRUE(palette.IsEmpty()) << "file of " << file.size() << " bytes";
        SwatchColor untouched{11, {12, 13, 14, 15}};
        palette.NextColor(untouched);
        ExpectColor(untouched, 11, 12, 13, 14, 15);
    }
}

TEST_F(SwatchFile, MissingFileFolderOrNullPathLoadNothing)
{
    EXPECT_TRUE(CPSPalette("/nonexistent-folder/none.aco").IsEmpty());
    EXPECT_TRUE(CPSPalette(fs::temp_directory_path().string().c_str()).IsEmpty());
    EXPECT_TRUE(CPSPalette("").IsEmpty());
    EXPECT_TRUE(CPSPalette(nullptr).IsEmpty());
}

TEST_F(SwatchFile, RecordOfAnUnknownModelIsKept)
{
    CPSPalette palette(Write(File(1, 1, {Record(3, 1, 2, 3, 4)})).c_str());
    ASSERT_EQ(palette.Count(), 1u);
    const SwatchColor color = Next(palette);
    EXPECT_EQ(color.HostColorSpace(), -1);
}

TEST_F(SwatchFile, EachColourSpaceIsHandedOutFromEitherFileVersion)
{
    // The palette keeps the first section's colours as they stand, named second section or not.
    const std::vector<vendrel::test::SwatchRecord>& records = vendrel::test::swatchOfEachColorSpace();
    const int16 hostSpaces[] = {0, 1, 2, 3, 4};
    for (bool named : {false, true}) {
        CPSPalette palette(Write(vendrel::test::swatchFileBytes(records, named)).c_str());
        ASSERT_EQ(palette.Count(), records.size()) << (named ? "named" : "unnamed");
        for (size_t i = 0; i < records.size() * 2; ++i) {
            const auto& record = records[i % records.size()];
            const SwatchColor color = Next(palette);
            ExpectColor(color, record.colorSpace, record.components[0], record.components[1], record.components[2],
                        record.components[3]);
            EXPECT_EQ(color.HostColorSpace(), hostSpaces[i % records.size()]);
        }
    }
}

} // namespace
} // namespace vendrel::test
