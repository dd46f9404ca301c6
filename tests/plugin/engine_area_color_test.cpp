// The generator and the choice of each area's colour from the palette or at random.
#include <algorithm>
#include <array>
#include <boost/filesystem.hpp>
#include <fstream>

#include "CPSPalette.h"
#include "engine_test_fixture.h"

namespace vendrel::test {
namespace {

namespace fs = boost::filesystem;

TEST(AreaRandom, FreshGeneratorGivesTheKnownSequence)
{
    SetAreaRandomState(1);
    const int32 expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int32 value : expected)
        EXPECT_EQ(AreaRandom(), value);
}

// A swatch file of RGB colours given as 8-bit channels (stored in the high byte).
std::string WriteRgbSwatches(const std::string& name, const std::vector<std::array<uint8, 3>>& colors)
{
    const fs::path path = fs::temp_directory_path() / fs::unique_path("engine-%%%%-%%%%-" + name);
    std::ofstream out(path.string(), std::ios::binary);
    auto word = [&out](uint16 w) {
        out.put(char(w >> 8));
        out.put(char(w & 0xFF));
    };
    word(1);
    word(uint16(colors.size()));
    for (const auto& c : colors) {
        word(0);
        word(uint16(c[0] << 8));
        word(uint16(c[1] << 8));
        word(uint16(c[2] << 8));
        word(0);
    }
    return path.string();
}

class AreaColor : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        UseImage(4, 4, 3);
        // The window holds mid grey only.
        SetWindow({120, 120, 120, 0}, {130, 130, 130, 0});
    }
    void TearDown() override
    {
        delete engine.palette;
        engine.palette = nullptr;
        for (const std::string& path : files)
            fs::remove(path);
        EngineTest::TearDown();
    }
    void UsePalette(const std::vector<std::array<uint8, 3>>& colors)
    {
        files.push_back(WriteRgbSwatches("palette.aco", colors));
        engine.palette = new CPSPalette(files.back().c_str());
        ASSERT_EQ(engine.palette->Count(), colors.size());
    }
    void ExpectPaint(uint8 r, uint8 g, uint8 b)
    {
        EXPECT_EQ(engine.paintColor[0], r);
        EXPECT_EQ(engine.paintColor[1], g);
        EXPECT_EQ(engine.paintColor[2], b);
        EXPECT_EQ(engine.paintColor[3], 255);
    }
    std::vector<std::string> files;
};

TEST_F(AreaColor, FirstRandomAttemptIsTakenWhenAcceptable)
{
    engine.ChooseAreaColor();
    ExpectPaint(98, 253, 4);
}

TEST_F(AreaColor, RandomAttemptsFollowTheWorkedExample)
{
    // A window holding the first attempt only.
    SetWindow({98, 253, 4, 0}, {98, 253, 4, 0});
    engine.ChooseAreaColor();
    ExpectPaint(224, 172, 150);

    // A window holding the first two attempts but not the third.
    SetAreaRandomState(1);
    SetWindow({98, 172, 4, 0}, {224, 253, 150, 0});
    engine.ChooseAreaColor();
    ExpectPaint(174, 82, 143);
}

TEST_F(AreaColor, RandomColoursStayBelow255AndAreNeverDarkOrInTheWindow)
{
    for (int area = 0; area < 500; ++area) {
        engine.ChooseAreaColor();
        EXPECT_TRUE(engine.IsAcceptableColor(false));
        for (int i = 0; i < 3; ++i)
            EXPECT_LE(engine.paintColor[i], 254);
        EXPECT_EQ(engine.paintColor[3], 255);
    }
}

TEST_F(AreaColor, WindowCoveringEverythingEndsAfterAHundredAttempts)
{
    SetWindow({0, 0, 0, 0}, {255, 255, 255, 0});
    engine.ChooseAreaColor();
    // 1 draw for the first predecessor, then 3 per attempt.
    SetAreaRandomState(1);
    for (int i = 0; i < 1 + 3 * 100; ++i)
        AreaRandom();
    const int32 afterChoice = AreaRandom();
    SetAreaRandomState(1);
    engine.ChooseAreaColor();
    EXPECT_EQ(AreaRandom(), afterChoice);
}

TEST_F(AreaColor, PaletteColoursAreHandedOutInFileOrderAndCycle)
{
    UsePalette({{200, 10, 10}, {10, 200, 10}, {10, 10, 200}});
    const uint8 expected[][3] = {{200, 10, 10}, {10, 200, 10}, {10, 10, 200}, {200, 10, 10}, {10, 200, 10}};
    for (const auto& e : expected) {
        engine.ChooseAreaColor();
        ExpectPaint(e[0], e[1], e[2]);
    }
    EXPECT_EQ(AreaRandom(), 41) << "no random draw was made";
}

TEST_F(AreaColor, PaletteSkipsTheFillColourAndDarkColoursForTheSameArea)
{
    UsePalette({{125, 125, 125}, {40, 40, 40}, {10, 10, 200}, {240, 240, 240}});
    engine.ChooseAreaColor();
    ExpectPaint(10, 10, 200);
    engine.ChooseAreaColor();
    ExpectPaint(240, 240, 240);
    // The cursor wraps: grey and the dark colour are drawn and skipped again.
    engine.ChooseAreaColor();
    ExpectPaint(10, 10, 200);
}

TEST_F(AreaColor, NinthPaletteDrawCanSupplyTheColourButTheTenthCannot)
{
    std::vector<std::array<uint8, 3>> ninth(8, {125, 125, 125});
    ninth.push_back({200, 100, 50});
    UsePalette(ninth);
    engine.ChooseAreaColor();
    ExpectPaint(200, 100, 50);
    EXPECT_EQ(AreaRandom(), 41) << "no random draw was made";

    delete engine.palette;
    engine.palette = nullptr;
    SetAreaRandomState(1);
    std::vector<std::array<uint8, 3>> tenth(9, {125, 125, 125});
    tenth.push_back({200, 100, 50});
    UsePalette(tenth);
    engine.ChooseAreaColor();
    ExpectPaint(98, 253, 4);
}

TEST_F(AreaColor, OneUnacceptableColourMakesTenDrawsThenRandom)
{
    UsePalette({{125, 125, 125}});
    engine.ChooseAreaColor();
    ExpectPaint(98, 253, 4);
    // Ten draws of the same colour: the host is asked until it has given the same answer twice.
    EXPECT_EQ(std::count_if(Requests().begin(), Requests().end(),
                            [](const ColorServicesInfo& r) { return r.sourceSpace == 0 && r.selector == 1; }),
              2);
}

TEST_F(AreaColor, AllDarkPaletteGivesRandomColours)
{
    UsePalette({{10, 20, 30}, {90, 90, 90}});
    engine.ChooseAreaColor();
    ExpectPaint(98, 253, 4);
}

TEST_F(AreaColor, EmptyPaletteGivesRandomColoursWithoutAskingTheHost)
{
    files.push_back(WriteRgbSwatches("empty.aco", {}));
    engine.palette = new CPSPalette(files.back().c_str());
    engine.ChooseAreaColor();
    ExpectPaint(98, 253, 4);
    EXPECT_TRUE(Requests().empty());
}

} // namespace
} // namespace vendrel::test
