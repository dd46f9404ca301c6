// Colour conversion among the host's colour spaces, checked against known colours.
#include <gtest/gtest.h>

#include <cstdlib>

#include "vendrel/host/ColorServices.h"

namespace vendrel::test {
namespace {

using vendrel::HostColor;

constexpr int16_t kRGB = plugIncolorServicesRGBSpace;
constexpr int16_t kHSB = plugIncolorServicesHSBSpace;
constexpr int16_t kCMYK = plugIncolorServicesCMYKSpace;
constexpr int16_t kLab = plugIncolorServicesLabSpace;
constexpr int16_t kGray = plugIncolorServicesGraySpace;

HostColor Convert(int16_t from, int16_t to, HostColor color)
{
    const OSErr error = vendrel::convertHostColor(from, to, color);
    EXPECT_EQ(error, noErr) << "converting " << from << " to " << to;
    return color;
}

void ExpectNear(const HostColor& actual, const HostColor& expected, int tolerance, size_t components = 3)
{
    for (size_t i = 0; i < components; ++i)
        EXPECT_LE(std::abs(actual[i] - expected[i]), tolerance)
            << "component " << i << ": " << actual[i] << " instead of " << expected[i];
}

TEST(ColorConversion, SrgbWhiteAndBlackInLab)
{
    ExpectNear(Convert(kRGB, kLab, {255, 255, 255, 0}), {255, 128, 128, 0}, 1);
    ExpectNear(Convert(kRGB, kLab, {0, 0, 0, 0}), {0, 128, 128, 0}, 1);
    ExpectNear(Convert(kLab, kRGB, {255, 128, 128, 0}), {255, 255, 255, 0}, 1);
}

TEST(ColorConversion, SrgbRedInLabIsReddish)
{
    // sRGB red is about L 54, a 80, b 67 under D50: a and b well above their zero at 128.
    const HostColor lab = Convert(kRGB, kLab, {255, 0, 0, 0});
    EXPECT_NEAR(lab[0], 54 * 255 / 100, 6);
    EXPECT_NEAR(lab[1], 128 + 80, 6);
    EXPECT_NEAR(lab[2], 128 + 67, 8);
}

TEST(ColorConversion, PureRedThroughTheCmykProfileIsMagentaAndYellowInk)
{
    // 255 means no ink: red takes almost no cyan and heavy magenta and yellow.
    const HostColor cmyk = Convert(kRGB, kCMYK, {255, 0, 0, 0});
    EXPECT_GE(cmyk[0], 220) << "cyan";
    EXPECT_LE(cmyk[1], 60) << "magenta";
    EXPECT_LE(cmyk[2], 60) << "yellow";
    EXPECT_GE(cmyk[3], 200) << "black";
}

TEST(ColorConversion, CmykWithoutInkIsWhiteAndFullBlackIsDark)
{
    ExpectNear(Convert(kCMYK, kRGB, {255, 255, 255, 255}), {255, 255, 255, 0}, 1);
    const HostColor black = Convert(kCMYK, kRGB, {0, 0, 0, 0});
    for (size_t i = 0; i < 3; ++i)
        EXPECT_LE(black[i], 60);
    const HostColor white = Convert(kRGB, kCMYK, {255, 255, 255, 0});
    for (size_t i = 0; i < 4; ++i)
        EXPECT_GE(white[i], 250) << "ink " << i;
}

TEST(ColorConversion, HsbRoundTripsExactlyForPrimariesAndGrays)
{
    const struct {
        HostColor rgb;
        HostColor hsb;
    } cases[] = {
        {{255, 0, 0, 0}, {0, 255, 255, 0}},     {{0, 255, 0, 0}, {120, 255, 255, 0}},
        {{0, 0, 255, 0}, {240, 255, 255, 0}},   {{255, 255, 0, 0}, {60, 255, 255, 0}},
        {{0, 255, 255, 0}, {180, 255, 255, 0}}, {{255, 0, 255, 0}, {300, 255, 255, 0}},
        {{128, 128, 128, 0}, {0, 0, 128, 0}},   {{0, 0, 0, 0}, {0, 0, 0, 0}},
        {{255, 255, 255, 0}, {0, 0, 255, 0}},   {{255, 128, 0, 0}, {30, 255, 255, 0}},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(Convert(kRGB, kHSB, entry.rgb), entry.hsb);
        EXPECT_EQ(Convert(kHSB, kRGB, entry.hsb), entry.rgb);
    }
}

TEST(ColorConversion, HsbReachesTheOtherSpacesThroughRgb)
{
    ExpectNear(Convert(kHSB, kLab, {0, 0, 255, 0}), {255, 128, 128, 0}, 1);
    EXPECT_EQ(Convert(kLab, kHSB, {255, 128, 128, 0})[2], 255);
}

TEST(ColorConversion, GrayIsNeutralWith255White)
{
    ExpectNear(Convert(kGray, kRGB, {255, 0, 0, 0}), {255, 255, 255, 0}, 1);
    ExpectNear(Convert(kGray, kRGB, {0, 0, 0, 0}), {0, 0, 0, 0}, 1);
    const HostColor mid = Convert(kGray, kRGB, {128, 0, 0, 0});
    EXPECT_NEAR(mid[0], 128, 2);
    EXPECT_EQ(mid[0], mid[1]);
    EXPECT_EQ(mid[1], mid[2]);
    EXPECT_NEAR(Convert(kRGB, kGray, {128, 128, 128, 0})[0], 128, 2);
}

TEST(ColorConversion, TheSameSpaceLeavesComponentsAsTheyAre)
{
    for (int16_t space : {kRGB, kHSB, kCMYK, kLab, kGray})
        EXPECT_EQ(Convert(space, space, {256, -3, 300, 17}), (HostColor{256, -3, 300, 17}));
}

TEST(ColorConversion, OutOfRangeComponentsAreClampedNotWrapped)
{
    // A lightness of 256 is white, not the black that its low byte would give.
    EXPECT_EQ(Convert(kLab, kRGB, {256, 128, 128, 0}), Convert(kLab, kRGB, {255, 128, 128, 0}));
    EXPECT_EQ(Convert(kRGB, kLab, {300, -20, 256, 0}), Convert(kRGB, kLab, {255, 0, 255, 0}));
    EXPECT_EQ(Convert(kGray, kRGB, {256, 0, 0, 0}), Convert(kGray, kRGB, {255, 0, 0, 0}));
    EXPECT_EQ(Convert(kHSB, kRGB, {360, 255, 255, 0}), (HostColor{255, 0, 0, 0}));
}

TEST(ColorConversion, SpacesTheHostDoesNotConvertAreRefusedUntouched)
{
    for (int16_t space : {int16_t(plugIncolorServicesHSLSpace), int16_t(plugIncolorServicesXYZSpace),
                          int16_t(plugIncolorServicesChosenSpace), int16_t(42)}) {
        HostColor color{1, 2, 3, 4};
        EXPECT_NE(vendrel::convertHostColor(kRGB, space, color), noErr);
        EXPECT_NE(vendrel::convertHostColor(space, kRGB, color), noErr);
        EXPECT_EQ(color, (HostColor{1, 2, 3, 4}));
    }
}

TEST(ColorServicesCallback, ConvertsThroughTheRecordAndRefusesUnknownSelectors)
{
    ColorServicesInfo info{};
    info.infoSize = kColorServicesInfoSize;
    info.selector = plugIncolorServicesConvertColor;
    info.sourceSpace = kRGB;
    info.resultSpace = kCMYK;
    info.colorComponents[0] = 255;
    info.colorComponents[1] = 255;
    info.colorComponents[2] = 255;
    ASSERT_EQ(vendrel::hostColorServices(&info), noErr);
    for (int i = 0; i < 4; ++i)
        EXPECT_GE(info.colorComponents[i], 250);

    info.selector = plugIncolorServicesSamplePoint;
    info.colorComponents[0] = 7;
    EXPECT_NE(vendrel::hostColorServices(&info), noErr);
    EXPECT_EQ(info.colorComponents[0], 7);
    EXPECT_NE(vendrel::hostColorServices(nullptr), noErr);
}

} // namespace
} // namespace vendrel::test
