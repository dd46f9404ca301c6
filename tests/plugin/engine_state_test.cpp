// Channel counts, pixel addressing, the colour window and the pixel tests.
#include "engine_test_fixture.h"

namespace vendrel::test {
namespace {

using EngineState = EngineTest;

TEST_F(EngineState, ChannelCountFollowsThePlanesCount)
{
    const struct {
        int planes;
        int channels;
    } cases[] = {{1, 1}, {3, 3}, {4, 4}, {5, 4}, {0, 3}, {256, 3}, {260, 4}, {258, 2}};
    for (const auto& c : cases) {
        UseImage(2, 2, 3);
        record.planes = int16(c.planes);
        engine.SetChannelCount();
        EXPECT_EQ(engine.channels, c.channels) << "planes " << c.planes;
    }
}

TEST_F(EngineState, LayerPlanesCountFromFloatingSelectionsOn)
{
    UseImage(2, 2, 3);
    record.planes = 4;
    record.outLayerPlanes = 1;
    record.filterCase = filterCaseFlatImageWithSelection;
    EXPECT_EQ(engine.PlanesCount(), 4);
    record.filterCase = filterCaseFloatingSelection;
    EXPECT_EQ(engine.PlanesCount(), 1);
}

TEST_F(EngineState, StepsDefaultToThePlanesCountAndOneByte)
{
    UseImage(4, 3, 4);
    EXPECT_EQ(engine.ColumnStep(), 4);
    EXPECT_EQ(engine.PlaneStep(), 1);
    EXPECT_EQ(engine.PixelAddress(2, 1), pixels.data() + record.outRowBytes + 8);
    record.outColumnBytes = 1;
    record.outPlaneBytes = 12;
    EXPECT_EQ(engine.ColumnStep(), 1);
    EXPECT_EQ(engine.PlaneStep(), 12);
    EXPECT_EQ(engine.PixelAddress(2, 1), pixels.data() + record.outRowBytes + 2);
}

TEST_F(EngineState, ConstructorRegistersTheInstanceAndStartsWithThreeChannels)
{
    CVendrel other;
    EXPECT_EQ(gVendrelInstance, &other);
    EXPECT_EQ(other.channels, 3);
    EXPECT_EQ(other.palette, nullptr);
    EXPECT_TRUE(other.joinSeeds.empty());
}

struct WindowCase {
    uint16 fill;
    uint32 tolerance;
    uint8 low;
    uint8 high;
};

TEST_F(EngineState, WindowIsTheConvertedColourPlusMinusToleranceClampedPerChannel)
{
    const WindowCase cases[] = {
        {65535, 10, 245, 255},   {5 << 8, 10, 0, 15},      {250 << 8, 10, 240, 255}, {100 << 8, 0, 100, 100},
        {10 << 8, 10, 0, 20},    {245 << 8, 10, 235, 255}, {128 << 8, 300, 0, 255},  {0, 255, 0, 255},
        {255 << 8, 255, 0, 255}, {11 << 8, 10, 1, 21},
    };
    UseImage(2, 2, 3);
    for (const WindowCase& c : cases) {
        const uint16 color[3] = {c.fill, c.fill, c.fill};
        engine.SetColorWindow(color, c.tolerance);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(engine.windowLow[i], c.low) << c.fill << " +- " << c.tolerance;
            EXPECT_EQ(engine.windowHigh[i], c.high) << c.fill << " +- " << c.tolerance;
        }
    }
}

TEST_F(EngineState, WindowIsBuiltFromWhatTheHostAnswers)
{
    UseImage(2, 2, 4, plugInModeCMYKColor);
    Answer() = [](ColorServicesInfo& info) {
        const int16 cmyk[4] = {10, 20, 250, 255};
        std::memcpy(info.colorComponents, cmyk, sizeof cmyk);
        return OSErr(noErr);
    };
    const uint16 red[3] = {65535, 0, 0};
    engine.SetColorWindow(red, 5);
    const uint8 low[4] = {5, 15, 245, 250};
    const uint8 high[4] = {15, 25, 255, 255};
    EXPECT_EQ(0, std::memcmp(engine.windowLow, low, 4));
    EXPECT_EQ(0, std::memcmp(engine.windowHigh, high, 4));
}

TEST_F(EngineState, InWindowTestsOnlyTheFirstFourChannels)
{
    UseImage(2, 1, 5);
    SetWindow({10, 10, 10, 10}, {20, 20, 20, 20});
    Put(0, 0, {10, 20, 15, 12, 99});
    EXPECT_TRUE(engine.IsInWindow(At(0, 0)));
    Put(1, 0, {10, 20, 15, 21, 15});
    EXPECT_FALSE(engine.IsInWindow(At(1, 0)));
}

TEST_F(EngineState, GrayscaleTestsAndPaintsOneByte)
{
    UseImage(2, 1, 1, plugInModeGrayScale);
    ASSERT_EQ(engine.channels, 1);
    SetWindow({10, 200, 200, 200}, {20, 200, 200, 200});
    Put(0, 0, {15});
    EXPECT_TRUE(engine.IsInWindow(At(0, 0)));
    SetPaint({91, 0, 0, 0});
    EXPECT_TRUE(engine.IsAcceptableColor(false));
    SetPaint({90, 255, 255, 255});
    EXPECT_FALSE(engine.IsAcceptableColor(false));
    SetPaint({77, 1, 2, 3});
    engine.PaintPixel(At(0, 0));
    EXPECT_EQ(At(0, 0)[0], 77);
    EXPECT_EQ(At(1, 0)[0], 0);
}

TEST_F(EngineState, NormalAreaPixelIsOutsideTheWindowAndNotBlack)
{
    UseImage(3, 1, 3);
    SetWindow({100, 100, 100, 0}, {110, 110, 110, 0});
    Put(0, 0, {0, 0, 0});
    Put(1, 0, {0, 0, 1});
    Put(2, 0, {105, 100, 110});
    EXPECT_FALSE(engine.IsNormalAreaPixel(At(0, 0)));
    EXPECT_TRUE(engine.IsNormalAreaPixel(At(1, 0)));
    EXPECT_FALSE(engine.IsNormalAreaPixel(At(2, 0)));
    // Black is never a normal-area pixel, even when the window does not hold it.
    SetWindow({0, 0, 0, 0}, {0, 0, 0, 0});
    EXPECT_FALSE(engine.IsNormalAreaPixel(At(0, 0)));
    SetWindow({1, 1, 1, 0}, {5, 5, 5, 0});
    EXPECT_FALSE(engine.IsNormalAreaPixel(At(0, 0)));
}

TEST_F(EngineState, AcceptableColourLiesOutsideTheWindowAndIsNotDark)
{
    UseImage(1, 1, 3);
    SetWindow({200, 200, 200, 0}, {255, 255, 255, 0});
    SetPaint({90, 90, 90, 255});
    EXPECT_FALSE(engine.IsAcceptableColor(false));
    EXPECT_TRUE(engine.IsAcceptableColor(true));
    SetPaint({91, 0, 0, 0});
    EXPECT_TRUE(engine.IsAcceptableColor(false));
    SetPaint({220, 230, 255, 0});
    EXPECT_FALSE(engine.IsAcceptableColor(false));
    EXPECT_FALSE(engine.IsAcceptableColor(true));
    SetPaint({220, 230, 199, 0});
    EXPECT_TRUE(engine.IsAcceptableColor(false));
}

TEST_F(EngineState, CmykDarknessIsDecidedByTheFourthByteAlone)
{
    UseImage(1, 1, 4, plugInModeCMYKColor);
    SetWindow({0, 0, 0, 0}, {10, 10, 10, 10});
    SetPaint({255, 255, 255, 199});
    EXPECT_FALSE(engine.IsAcceptableColor(false));
    SetPaint({0, 0, 0, 200});
    EXPECT_TRUE(engine.IsAcceptableColor(false));
    // The fourth byte decides even when only three channels are tested.
    engine.channels = 3;
    SetPaint({250, 250, 250, 199});
    EXPECT_FALSE(engine.IsAcceptableColor(false));
}

TEST_F(EngineState, PaintWritesOnlyTheTestedChannelsThroughThePlaneStep)
{
    UseImage(2, 1, 5);
    SetPaint({1, 2, 3, 4});
    std::fill(pixels.begin(), pixels.end(), uint8(9));
    engine.PaintPixel(At(1, 0));
    const uint8 expected[10] = {9, 9, 9, 9, 9, 1, 2, 3, 4, 9};
    EXPECT_EQ(0, std::memcmp(pixels.data(), expected, 10));
}

TEST_F(EngineState, PlanarLayoutIsAddressedThroughThePlaneStep)
{
    // Three planes of 2 x 1 pixels one after another: column step 1, plane step 2.
    UseImage(2, 1, 3);
    record.outColumnBytes = 1;
    record.outPlaneBytes = 2;
    record.outRowBytes = 2;
    SetWindow({10, 20, 30, 0}, {10, 20, 30, 0});
    pixels = {0, 10, 0, 20, 0, 30};
    record.outData = pixels.data();
    EXPECT_FALSE(engine.IsInWindow(engine.PixelAddress(0, 0)));
    EXPECT_TRUE(engine.IsInWindow(engine.PixelAddress(1, 0)));
}

} // namespace
} // namespace vendrel::test
