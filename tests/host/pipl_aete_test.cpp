// The property list and terminology parsers on bytes written out by hand.
#include <gtest/gtest.h>

#include "hostcore_resource_bytes.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel::test {
namespace {

using vendrel::HostError;

TEST(PiplParsing, ReadsEveryPropertyTheHostUses)
{
    const vendrel::PiplInfo pipl = vendrel::parsePipl(filterPiplBytes());
    EXPECT_EQ(pipl.kind, PIFourCC("8BFM"));
    EXPECT_EQ(pipl.name, "Vendrel...");
    EXPECT_EQ(pipl.category, "Orvik");
    EXPECT_EQ(pipl.version, 0x00040000u);
    EXPECT_EQ(pipl.entryPoint, "PluginMain");
    EXPECT_EQ(pipl.terminologyClass, PIFourCC("Vdrl"));
    EXPECT_EQ(pipl.terminologyEvent, PIFourCC("Vdrl"));
    EXPECT_EQ(pipl.terminologyID, 16000);
    EXPECT_EQ(pipl.modeFlags[0], 0x18);
    EXPECT_EQ(pipl.enableExpression, "in (PSHOP_ImageMode, RGBMode, CMYKMode)");
    ASSERT_EQ(pipl.filterCaseInfo.size(), 28u);
    EXPECT_EQ(pipl.filterCaseInfo[24], 1);
    EXPECT_EQ(pipl.filterCaseInfo[26], 1);
    EXPECT_EQ(pipl.filterCaseInfo[27], 0);
}

TEST(PiplParsing, ModeFlagsEnableExactlyTheirModes)
{
    const vendrel::PiplInfo rgbCmyk = vendrel::parsePipl(filterPiplBytes(0x18));
    EXPECT_TRUE(rgbCmyk.supportsMode(plugInModeRGBColor));
    EXPECT_TRUE(rgbCmyk.supportsMode(plugInModeCMYKColor));
    for (int16_t mode : {plugInModeBitmap, plugInModeGrayScale, plugInModeIndexedColor, plugInModeLabColor,
                         plugInModeHSBColor, plugInModeMultichannel, plugInModeDuotone, plugInModeRGB48})
        EXPECT_FALSE(rgbCmyk.supportsMode(mode)) << "mode " << mode;
    EXPECT_EQ(rgbCmyk.supportedModesText(), "RGB, CMYK");

    const vendrel::PiplInfo grayOnly = vendrel::parsePipl(filterPiplBytes(0x40));
    EXPECT_TRUE(grayOnly.supportsMode(plugInModeGrayScale));
    EXPECT_FALSE(grayOnly.supportsMode(plugInModeRGBColor));
    EXPECT_EQ(grayOnly.supportedModesText(), "Grayscale");
}

TEST(PiplParsing, EveryTruncationIsRefused)
{
    const std::vector<uint8_t> whole = filterPiplBytes();
    for (size_t size = 0; size < whole.size(); ++size) {
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(size));
        EXPECT_THROW(vendrel::parsePipl(cut), HostError) << "cut to " << size << " bytes";
    }
}

TEST(PiplParsing, WrongVersionsAndOverlongPropertiesAreRefused)
{
    std::vector<uint8_t> bytes = filterPiplBytes();
    bytes[0] = 2;
    EXPECT_THROW(vendrel::parsePipl(bytes), HostError);

    bytes = filterPiplBytes();
    bytes[2] = 1; // list version 1
    EXPECT_THROW(vendrel::parsePipl(bytes), HostError);

    bytes = filterPiplBytes();
    bytes[10 + 12 + 3] = 0x80; // the first property's length becomes huge
    EXPECT_THROW(vendrel::parsePipl(bytes), HostError);
}

TEST(AeteParsing, ReadsTheSuiteEventAndParametersInOrder)
{
    const vendrel::AeteInfo aete = vendrel::parseAete(filterAeteBytes());
    EXPECT_EQ(aete.suiteName, "Orvik");
    EXPECT_EQ(aete.suiteDescription, "Adobe example plug-ins");
    EXPECT_EQ(aete.suiteID, PIFourCC("Vdrl"));
    EXPECT_EQ(aete.eventName, "Orvik Vendrel");
    EXPECT_EQ(aete.eventDescription, "vendrel plugin");
    EXPECT_EQ(aete.eventClass, PIFourCC("Vdrl"));
    EXPECT_EQ(aete.eventID, PIFourCC("Vdrl"));
    ASSERT_EQ(aete.parameters.size(), 10u);
    EXPECT_EQ(aete.parameters[0].name, "flagcolor");
    EXPECT_EQ(aete.parameters[0].key, PIFourCC("Clr "));
    EXPECT_EQ(aete.parameters[0].type, PIFourCC("Clr "));
    EXPECT_EQ(aete.parameters[2].name, "palette");
    EXPECT_EQ(aete.parameters[2].type, PIFourCC("Pth "));
    EXPECT_EQ(aete.parameters[2].description, "fill palette file");
    EXPECT_EQ(aete.parameters[9].name, "joinsize");
    EXPECT_EQ(aete.parameters[9].key, PIFourCC("JinS"));
    EXPECT_EQ(aete.parameters[9].type, PIFourCC("long"));

    ASSERT_NE(aete.byName("tolerance"), nullptr);
    EXPECT_EQ(aete.byName("tolerance")->key, PIFourCC("Tlrn"));
    ASSERT_NE(aete.byKey(PIFourCC("Ar  ")), nullptr);
    EXPECT_EQ(aete.byKey(PIFourCC("Ar  "))->name, "measurearea");
    EXPECT_EQ(aete.byName("Tolerance"), nullptr);
    EXPECT_EQ(aete.byKey(PIFourCC("Xxxx")), nullptr);
}

TEST(AeteParsing, EveryTruncationIsRefused)
{
    const std::vector<uint8_t> whole = filterAeteBytes();
    for (size_t size = 0; size < whole.size(); ++size) {
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + std::ptrdiff_t(size));
        EXPECT_THROW(vendrel::parseAete(cut), HostError) << "cut to " << size << " bytes";
    }
}

TEST(AeteParsing, AnotherTerminologyVersionIsRefused)
{
    std::vector<uint8_t> bytes = filterAeteBytes();
    bytes[2] = 2; // major version 2
    EXPECT_THROW(vendrel::parseAete(bytes), HostError);
}

} // namespace
} // namespace vendrel::test
