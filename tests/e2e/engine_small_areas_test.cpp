// Small areas through the module: the size limits, the flag colour and the join to the nearest normal area.
#include "engine_e2e_support.h"

namespace vendrel::test {
namespace {

const Color kWhite = {255, 255, 255};
const Color kBlack = {0, 0, 0};
const Color kRed = {200, 30, 30};
const Color kGreen = {30, 200, 30};
const Color kBlue = {30, 30, 200};
const Color kMagenta = {255, 0, 255};

const std::map<char, Color> kLegend = {{'.', kBlack}, {'#', kWhite}, {'R', {180, 60, 60}}, {'G', {60, 180, 60}}};

class SmallAreas : public EngineRun {
protected:
    // Areas coloured from a palette, so that every area's own colour is known: red, green, blue, red, ...
    Settings PaletteSettings()
    {
        AddPalette("RGB.aco", {kRed, kGreen, kBlue});
        Settings settings;
        settings.randomColors = false;
        settings.palette = "RGB.aco";
        return settings;
    }
    // One row per area: a white run of the given length on a black background.
    static vendrel::HostImage Runs(const std::vector<int>& lengths)
    {
        int width = 0;
        for (int length : lengths)
            width = std::max(width, length);
        std::vector<std::string> rows;
        for (int length : lengths) {
            rows.push_back(std::string(size_t(length), '#') + std::string(size_t(width - length), '.'));
            rows.push_back(std::string(size_t(width), '.'));
        }
        return Draw(rows, kLegend);
    }
};

TEST_F(SmallAreas, PixelCountLimitFlagsAnAreaOfExactlyThatSize)
{
    // Areas of 20 and 21 pixels, as 4 x 5 and 3 x 7 blocks.
    vendrel::HostImage image =
        Draw({"####.###", "####.###", "####.###", "####.###", "####.###", ".....###", ".....###"}, kLegend);
    Settings settings = PaletteSettings();
    settings.measureArea = true;
    settings.flagAreas = true;
    settings.flagSize = 20;
    ASSERT_EQ(Run(image, settings).result, 0);
    EXPECT_EQ(At(image, 0, 0), kMagenta);
    EXPECT_EQ(At(image, 7, 6), kGreen);
}

TEST_F(SmallAreas, HeightAndWidthLimitLooksAtTheExtentNotTheCount)
{
    vendrel::HostImage image = Runs({20, 21});
    Settings settings = PaletteSettings();
    settings.flagAreas = true;
    settings.flagSize = 20;
    ASSERT_EQ(Run(image, settings).result, 0);
    EXPECT_EQ(At(image, 19, 0), kMagenta);
    EXPECT_EQ(At(image, 20, 2), kGreen);

    // An L of 39 pixels within 20 x 20 is small by extent although far above 20 pixels.
    std::vector<std::string> rows(20, "#" + std::string(19, '.'));
    rows[19] = std::string(20, '#');
    vendrel::HostImage corner = Draw(rows, kLegend);
    ASSERT_EQ(Run(corner, settings).result, 0);
    EXPECT_EQ(At(corner, 0, 0), kMagenta);
    EXPECT_EQ(At(corner, 19, 19), kMagenta);
}

TEST_F(SmallAreas, DarkFlagColourIsNeverPainted)
{
    vendrel::HostImage image = Runs({2, 30});
    Settings settings = PaletteSettings();
    settings.flagAreas = true;
    settings.flagSize = 20;
    settings.joinAreas = true;
    settings.flag = {90, 90, 90};
    ASSERT_EQ(Run(image, settings).result, 0);
    EXPECT_EQ(At(image, 0, 0), kRed);
    EXPECT_EQ(At(image, 1, 0), kRed);
    EXPECT_EQ(At(image, 0, 2), kGreen);
}

TEST_F(SmallAreas, FlagColourSpreadsIntoTouchingPixelsOfTheAreasColour)
{
    // The area takes red, the first palette colour. Red pixels that touch it take the flag colour with it, as
    // a flood over red from its seed reaches them; red pixels that touch those only at a corner keep red. In the
    // second case the area is a column of 300 rows, more than a small image's area keeps a record of; in the
    // third the red pixel touches the area only from above.
    struct Case {
        std::vector<std::string> before, after;
    };
    std::vector<std::string> column(300, "#..."), flagged(300, "m...");
    column[298] = "#..r";
    column[299] = "#rr.";
    flagged[298] = "m..r";
    flagged[299] = "mmm.";
    const Case cases[] = {{{"##r.r", "##rr.", "....r"}, {"mmm.r", "mmmm.", "....r"}},
                          {column, flagged},
                          {{".r.", ".#.", "..."}, {".m.", ".m.", "..."}}};
    const std::map<char, Color> legend = {{'.', kBlack}, {'#', kWhite}, {'r', kRed}, {'m', kMagenta}};
    for (const Case& c : cases) {
        vendrel::HostImage image = Draw(c.before, legend);
        Settings settings = PaletteSettings();
        settings.flagAreas = true;
        settings.flagSize = 300;
        ASSERT_EQ(Run(image, settings).result, 0);
        for (int32_t y = 0; y < int32_t(c.after.size()); ++y)
            for (int32_t x = 0; x < int32_t(c.after[0].size()); ++x)
                ASSERT_EQ(At(image, x, y), legend.at(c.after[size_t(y)][size_t(x)]))
                    << "pixel " << x << ", " << y << " of the " << c.after.size() << "-row image";
    }
}

TEST_F(SmallAreas, JoinTakesThePixelBelowBeforeThePixelToTheRight)
{
    vendrel::HostImage image = Draw({".....", ".#G..", ".R...", "....."}, kLegend);
    Settings settings = PaletteSettings();
    settings.measureArea = true;
    settings.joinAreas = true;
    settings.joinSize = 10;
    ASSERT_EQ(Run(image, settings).result, 0);
    EXPECT_EQ(At(image, 1, 1), (Color{180, 60, 60}));
}

TEST_F(SmallAreas, JoinPassesOverBlackAndDarkPixels)
{
    // Below is black, right is dark grey, above is the flag colour itself; left is usable.
    const std::map<char, Color> legend = {
        {'.', kBlack}, {'#', kWhite}, {'d', {80, 80, 80}}, {'m', kMagenta}, {'G', {60, 180, 60}}};
    vendrel::HostImage image = Draw({".....", "..m..", ".G#d.", ".....", "....."}, legend);
    Settings settings = PaletteSettings();
    settings.measureArea = true;
    settings.joinAreas = true;
    ASSERT_EQ(Run(image, settings).result, 0);
    EXPECT_EQ(At(image, 2, 2), (Color{60, 180, 60}));
}

TEST_F(SmallAreas, AreaWithoutAUsableNeighbourKeepsTheFlagColour)
{
    vendrel::HostImage image = Draw({"#"}, kLegend);
    Settings settings = PaletteSettings();
    settings.measureArea = true;
    settings.joinAreas = true;
    ASSERT_EQ(Run(image, settings).result, 0);
    EXPECT_EQ(At(image, 0, 0), kMagenta);
}

TEST_F(SmallAreas, LaterSmallAreaTakesTheColourAnEarlierOneWasJoinedTo)
{
    // Seeds (0, 0) and (2, 0) are joined in that order. The first takes the red pixel below it. For the second,
    // the first (offset (-2, 0)) is nearer than the green pixel (offset (1, 2)), and by then it is red.
    vendrel::HostImage image = Draw({"#.#.", "R...", "...G"}, kLegend);
    Settings settings = PaletteSettings();
    settings.measureArea = true;
    settings.joinAreas = true;
    ASSERT_EQ(Run(image, settings).result, 0);
    EXPECT_EQ(At(image, 0, 0), (Color{180, 60, 60}));
    EXPECT_EQ(At(image, 2, 0), (Color{180, 60, 60}));
}

TEST_F(SmallAreas, JoinedAndFlaggedSizesApartWithBothOn)
{
    // Areas of 1, 5 and 30 pixels in rows 0, 2 and 4; the 30-pixel area is normal and lies nearest to both.
    vendrel::HostImage image = Runs({1, 5, 30});
    Settings settings = PaletteSettings();
    settings.measureArea = true;
    settings.flagAreas = true;
    settings.flagSize = 10;
    settings.joinAreas = true;
    settings.joinSize = 2;
    ASSERT_EQ(Run(image, settings).result, 0);
    // The 30-pixel area is the third area: blue. The 1-pixel area joins it (distance 4 straight down passes
    // the flagged 5-pixel area at distance 2); the 5-pixel area stays in the flag colour.
    EXPECT_EQ(At(image, 0, 4), kBlue);
    EXPECT_EQ(At(image, 0, 0), kBlue);
    EXPECT_EQ(At(image, 0, 2), kMagenta);
    EXPECT_EQ(At(image, 4, 2), kMagenta);
}

TEST_F(SmallAreas, JoinStillRunsAfterAnAbort)
{
    // A one-pixel area in row 0 with a usable pixel below it; the abort comes after row 0.
    vendrel::HostImage image = Draw({".#..", ".R..", "....", "#..."}, kLegend);
    frontEnd.abortAfterRows = 0;
    Settings settings = PaletteSettings();
    settings.measureArea = true;
    settings.joinAreas = true;
    EXPECT_EQ(Run(image, settings).result, -128);
    EXPECT_EQ(At(image, 1, 0), (Color{180, 60, 60}));
    EXPECT_EQ(At(image, 0, 3), kWhite) << "row 3 was never walked";
}

} // namespace
} // namespace vendrel::test
