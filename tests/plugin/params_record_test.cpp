// The settings record: defaults, validation, the palette name and copying.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "VendrelParams.h"

namespace vendrel::test {
namespace {

std::string PaletteOf(const _SVendrelParams& params)
{
    return std::string(params.paletteFile, strnlen(params.paletteFile, sizeof params.paletteFile));
}

// A record with every field away from its default.
CVendrelParams ChangedRecord()
{
    CVendrelParams params;
    params.fillColor[0] = 1;
    params.fillColor[1] = 2;
    params.fillColor[2] = 3;
    params.SetPaletteFile("Pastels.aco");
    params.tolerance = 40000;
    params.reservedFlag = 7;
    params.randomColors = true;
    params.measureArea = true;
    params.flagAreas = true;
    params.flagColor[0] = 4;
    params.flagColor[1] = 5;
    params.flagColor[2] = 6;
    params.flagSize = 123456;
    params.joinAreas = true;
    params.joinSize = -5;
    return params;
}

TEST(ParamsRecord, DefaultsAreWhiteFillMagentaFlagAndEveryOptionOff)
{
    const CVendrelParams params;
    EXPECT_EQ(params.signature, 0x5664726C); // 'V' 'd' 'r' 'l'
    EXPECT_EQ(params.version, 3);
    EXPECT_EQ(params.byteSwapped, 0);
    EXPECT_EQ(params.fillColor[0], 65535);
    EXPECT_EQ(params.fillColor[1], 65535);
    EXPECT_EQ(params.fillColor[2], 65535);
    EXPECT_EQ(params.flagColor[0], 65535);
    EXPECT_EQ(params.flagColor[1], 0);
    EXPECT_EQ(params.flagColor[2], 65535);
    EXPECT_EQ(params.tolerance, 0);
    EXPECT_EQ(params.reservedFlag, 0);
    EXPECT_FALSE(params.randomColors);
    EXPECT_FALSE(params.measureArea);
    EXPECT_FALSE(params.flagAreas);
    EXPECT_FALSE(params.joinAreas);
    EXPECT_EQ(params.flagSize, 20);
    EXPECT_EQ(params.joinSize, 10);
    EXPECT_EQ(params.paletteFile[0], '\0');
    EXPECT_TRUE(params.IsValid());
}

TEST(ParamsRecord, SetDefaultsResetsAChangedRecord)
{
    CVendrelParams params = ChangedRecord();
    params.byteSwapped = 1;
    params.SetDefaults();
    const CVendrelParams fresh;
    EXPECT_EQ(0, std::memcmp(params.fillColor, fresh.fillColor, sizeof fresh.fillColor));
    EXPECT_EQ(0, std::memcmp(params.flagColor, fresh.flagColor, sizeof fresh.flagColor));
    EXPECT_EQ(params.tolerance, 0);
    EXPECT_EQ(params.reservedFlag, 0);
    EXPECT_FALSE(params.randomColors || params.measureArea || params.flagAreas || params.joinAreas);
    EXPECT_EQ(params.flagSize, 20);
    EXPECT_EQ(params.joinSize, 10);
    EXPECT_EQ(params.byteSwapped, 0);
    EXPECT_EQ(PaletteOf(params), "");
}

TEST(ParamsRecord, ValidOnlyWithVersion3AndTheSignature)
{
    CVendrelParams params;
    params.version = 2;
    EXPECT_FALSE(params.IsValid());
    params.version = 3;
    params.signature = 0x5664726D;
    EXPECT_FALSE(params.IsValid());
    params.signature = 0x5664726C;
    EXPECT_TRUE(params.IsValid());
}

TEST(ParamsRecord, SetPaletteFileKeeps255CharactersAtMost)
{
    CVendrelParams params;
    const std::string name255(255, 'n');
    params.SetPaletteFile(name255.c_str());
    EXPECT_EQ(PaletteOf(params), name255);

    std::string name300(300, 'x');
    for (size_t i = 0; i < name300.size(); ++i)
        name300[i] = char('a' + i % 26);
    params.SetPaletteFile(name300.c_str());
    EXPECT_EQ(PaletteOf(params), name300.substr(0, 255));
    EXPECT_EQ(params.paletteFile[255], '\0');
}

TEST(ParamsRecord, SetPaletteFilePadsWithNulAndNullEmpties)
{
    CVendrelParams params;
    params.SetPaletteFile(std::string(200, 'z').c_str());
    params.SetPaletteFile("Short.aco");
    EXPECT_EQ(PaletteOf(params), "Short.aco");
    for (size_t i = 9; i < sizeof params.paletteFile; ++i)
        ASSERT_EQ(params.paletteFile[i], '\0') << "at " << i;
    params.SetPaletteFile(nullptr);
    EXPECT_EQ(PaletteOf(params), "");
}

TEST(ParamsRecord, CopyParamsCopiesEveryFieldButByteSwapped)
{
    CVendrelParams source = ChangedRecord();
    source.byteSwapped = 1;
    CVendrelParams destination;
    destination.byteSwapped = 9;
    CopyParams(source, destination);

    EXPECT_EQ(destination.byteSwapped, 9);
    EXPECT_EQ(destination.signature, source.signature);
    EXPECT_EQ(destination.version, source.version);
    EXPECT_EQ(destination.fillColor[0], 1);
    EXPECT_EQ(destination.fillColor[1], 2);
    EXPECT_EQ(destination.fillColor[2], 3);
    EXPECT_EQ(PaletteOf(destination), "Pastels.aco");
    EXPECT_EQ(destination.tolerance, 40000);
    EXPECT_EQ(destination.reservedFlag, 7);
    EXPECT_TRUE(destination.randomColors);
    EXPECT_TRUE(destination.measureArea);
    EXPECT_TRUE(destination.flagAreas);
    EXPECT_TRUE(destination.joinAreas);
    EXPECT_EQ(destination.flagColor[0], 4);
    EXPECT_EQ(destination.flagColor[1], 5);
    EXPECT_EQ(destination.flagColor[2], 6);
    EXPECT_EQ(destination.flagSize, 123456);
    EXPECT_EQ(destination.joinSize, -5);
}

TEST(ParamsRecord, CopyParamsKeepsA255CharacterNameAndClearsTheRestOfTheField)
{
    CVendrelParams source;
    const std::string name255(255, 'q');
    source.SetPaletteFile(name255.c_str());
    CVendrelParams destination;
    CopyParams(source, destination);
    EXPECT_EQ(PaletteOf(destination), name255);

    source.SetPaletteFile("a.aco");
    CopyParams(source, destination);
    EXPECT_EQ(PaletteOf(destination), "a.aco");
    for (size_t i = 5; i < sizeof destination.paletteFile; ++i)
        ASSERT_EQ(destination.paletteFile[i], '\0') << "at " << i;
}

TEST(ParamsRecord, CopyParamsTakesAnyNonZeroFlagByteAsTrue)
{
    _SVendrelParams stored;
    std::memset(&stored, 0, sizeof stored);
    const uint8_t two = 2;
    std::memcpy(reinterpret_cast<uint8_t*>(&stored) + 273, &two, 1); // randomColors
    std::memcpy(reinterpret_cast<uint8_t*>(&stored) + 288, &two, 1); // joinAreas
    CVendrelParams params;
    CopyParams(stored, params);
    EXPECT_TRUE(params.randomColors);
    EXPECT_TRUE(params.joinAreas);
    EXPECT_FALSE(params.measureArea);
    uint8_t byte = 0;
    std::memcpy(&byte, &params.randomColors, 1);
    EXPECT_EQ(byte, 1);
}

} // namespace
} // namespace vendrel::test
