// Whole runs of the filter through the module: areas, connectivity, colours, result codes, progress and abort.
#include <set>

#include "engine_e2e_support.h"
#include "special_files.h"

namespace vendrel::test {
namespace {

const Color kWhite = {255, 255, 255};
const Color kBlack = {0, 0, 0};
const Color kRed = {200, 30, 30};
const Color kGreen = {30, 200, 30};
const Color kBlue = {30, 30, 200};
const Color kCyan = {40, 180, 180};

const std::map<char, Color> kLegend = {{'.', kBlack}, {'#', kWhite}, {'g', {128, 128, 128}}};

TEST_F(EngineRun, EachAreaTakesTheNextPaletteColourInScanOrder)
{
    AddPalette("Three.aco", {kRed, kGreen, kBlue});
    vendrel::HostImage image = Draw({"##.##.#", "##.##..", "......#", "#.#.#.#"}, kLegend);
    Settings settings;
    settings.randomColors = false;
    settings.palette = "Three.aco";
    const vendrel::RunResult result = Run(image, settings);
    ASSERT_EQ(result.result, 0);
    // Seeds in scan order: (0,0) (3,0) (6,0) (6,2) (0,3) (2,3) (4,3).
    const std::vector<std::string> expected = {"rr.gg.b", "rr.gg..", "......r", "g.b.r.r"};
    const std::map<char, Color> colors = {{'.', kBlack}, {'r', kRed}, {'g', kGreen}, {'b', kBlue}};
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x)
            EXPECT_EQ(At(image, x, y), colors.at(expected[size_t(y)][size_t(x)])) << x << "," << y;
    EXPECT_TRUE(frontEnd.alerts.empty());
}

TEST_F(EngineRun, AreasTouchingAtACornerAreFilledSeparately)
{
    AddPalette("Two.aco", {kRed, kGreen});
    vendrel::HostImage image = Draw({"#.", ".#"}, kLegend);
    Settings settings;
    settings.randomColors = false;
    settings.palette = "Two.aco";
    ASSERT_EQ(Run(image, settings).result, 0);
    EXPECT_EQ(At(image, 0, 0), kRed);
    EXPECT_EQ(At(image, 1, 1), kGreen);
    EXPECT_EQ(At(image, 1, 0), kBlack);
}

TEST_F(EngineRun, RandomColoursFillEveryAreaUniformlyAndLeaveTheRestAlone)
{
    vendrel::HostImage image = Draw({"###.###", "#.#.#.#", "###.###", "gg.g.gg"}, kLegend);
    const vendrel::HostImage before = image;
    Settings settings;
    settings.tolerance = 5;
    ASSERT_EQ(Run(image, settings).result, 0);
    const Color left = At(image, 0, 0);
    const Color right = At(image, 4, 0);
    for (const Color& c : {left, right}) {
        EXPECT_NE(c, kWhite);
        EXPECT_GT(*std::max_element(c.begin(), c.end()), 90) << "not dark";
        EXPECT_LE(*std::max_element(c.begin(), c.end()), 254);
    }
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x) {
            if (At(before, x, y) != kWhite) {
                EXPECT_EQ(At(image, x, y), At(before, x, y)) << x << "," << y;
                continue;
            }
            EXPECT_EQ(At(image, x, y), x < 3 ? left : right) << x << "," << y;
        }
}

TEST_F(EngineRun, ToleranceWidensTheWindowPerChannel)
{
    const std::map<char, Color> legend = {
        {'a', {250, 250, 250}}, {'b', {245, 255, 246}}, {'c', {244, 255, 255}}, {'.', kBlack}};
    vendrel::HostImage image = Draw({"abc"}, legend);
    AddPalette("One.aco", {kRed});
    Settings settings;
    settings.randomColors = false;
    settings.palette = "One.aco";
    settings.tolerance = 10;
    ASSERT_EQ(Run(image, settings).result, 0);
    EXPECT_EQ(At(image, 0, 0), kRed);
    EXPECT_EQ(At(image, 1, 0), kRed);
    EXPECT_EQ(At(image, 2, 0), (Color{244, 255, 255}));
}

TEST_F(EngineRun, PaletteSkipsTheFillColourAndOnlyNineDrawsCanSupplyAColour)
{
    vendrel::HostImage image = Draw({"#.#.#"}, kLegend);
    std::vector<Color> ninth(8, kWhite);
    ninth.push_back(kCyan);
    AddPalette("Ninth.aco", ninth);
    Settings settings;
    settings.randomColors = false;
    settings.palette = "Ninth.aco";
    ASSERT_EQ(Run(image, settings).result, 0);
    for (int32_t x : {0, 2, 4})
        EXPECT_EQ(At(image, x, 0), kCyan);

    vendrel::HostImage again = Draw({"#.#.#"}, kLegend);
    std::vector<Color> tenth(9, kWhite);
    tenth.push_back(kCyan);
    AddPalette("Tenth.aco", tenth);
    settings.palette = "Tenth.aco";
    ASSERT_EQ(Run(again, settings).result, 0);
    for (int32_t x : {0, 2, 4}) {
        EXPECT_NE(At(again, x, 0), kCyan);
        EXPECT_NE(At(again, x, 0), kWhite);
    }
}

TEST_F(EngineRun, APaletteThatIsMissingNotAFileOrOutsideTheFolderGivesRandomColours)
{
    // Every name but the first would reach a readable one-colour palette if it were opened.
    AddPalette("One.aco", {kRed});
    fs::create_directories(hostFolder / "Color Swatches" / "sub");
    fs::copy_file(hostFolder / "Color Swatches" / "One.aco", hostFolder / "Color Swatches" / "sub" / "One.aco");
    MakeFifoWherePossible((hostFolder / "Color Swatches" / "Fifo.aco").string());
    for (const char* name : {"Absent.aco", "Fifo.aco", "../Color Swatches/One.aco", "..\\Color Swatches\\One.aco",
                             "sub/One.aco", "sub\\One.aco"}) {
        vendrel::HostImage image = Draw({"#.#"}, kLegend);
        Settings settings;
        settings.randomColors = false;
        settings.palette = name;
        ASSERT_EQ(Run(image, settings).result, 0) << name;
        for (int32_t x : {0, 2}) {
            EXPECT_NE(At(image, x, 0), kWhite) << name;
            EXPECT_NE(At(image, x, 0), kRed) << name << " was opened";
        }
    }
}

TEST_F(EngineRun, NothingFoundShowsTheAlertOnceAndChangesNothing)
{
    vendrel::HostImage image = Draw({"g.g", "..g"}, kLegend);
    const vendrel::HostImage before = image;
    const vendrel::RunResult result = Run(image, Settings{});
    EXPECT_EQ(result.result, 0);
    ASSERT_EQ(frontEnd.alerts.size(), 1u);
    EXPECT_EQ(frontEnd.alerts[0],
              "The color to fill was not found in the image!\nCheck the color in the Vendreled Color swatch.");
    EXPECT_EQ(image.pixels, before.pixels);
    ASSERT_TRUE(result.recorded.has_value());
    EXPECT_FALSE(result.recorded->empty());
}

TEST_F(EngineRun, ProgressIsReportedAfterEveryRow)
{
    vendrel::HostImage image = Draw({"#.", "..", ".#"}, kLegend);
    ASSERT_EQ(Run(image, Settings{}).result, 0);
    EXPECT_EQ(frontEnd.reports, (std::vector<std::array<int32_t, 2>>{{1, 3}, {2, 3}, {3, 3}}));
    EXPECT_EQ(frontEnd.abortChecks, 3);
}

TEST_F(EngineRun, AbortAfterTheFirstRowKeepsItsWholeAreasAndStops)
{
    // The area seeded in row 0 reaches down to row 3; the area that starts in row 2 is never reached.
    vendrel::HostImage image = Draw({"#...", "#...", "#.##", "#..."}, kLegend);
    frontEnd.abortAfterRows = 0;
    const vendrel::RunResult result = Run(image, Settings{});
    EXPECT_EQ(result.result, -128);
    EXPECT_EQ(frontEnd.reports.size(), 1u);
    const Color area = At(image, 0, 0);
    EXPECT_NE(area, kWhite);
    for (int32_t y = 0; y < 4; ++y)
        EXPECT_EQ(At(image, 0, y), area);
    EXPECT_EQ(At(image, 2, 2), kWhite);
    EXPECT_EQ(At(image, 3, 2), kWhite);
    EXPECT_TRUE(frontEnd.alerts.empty());
}

TEST_F(EngineRun, ToleranceBeyond255FillsTheWholeImageAsOneAreaAndEnds)
{
    vendrel::HostImage image = Draw({"#.g#", "g..#", "##.."}, kLegend);
    Settings settings;
    settings.tolerance = 300;
    const vendrel::RunResult result = Run(image, settings);
    EXPECT_EQ(result.result, 0);
    const Color first = At(image, 0, 0);
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x)
            EXPECT_EQ(At(image, x, y), first) << x << "," << y;
    EXPECT_TRUE(frontEnd.alerts.empty());
}

TEST_F(EngineRun, CmykImagesTestAndPaintFourChannelsWithNoBlackInk)
{
    // White in CMYK is no ink at all: 255 in every channel.
    vendrel::HostImage image = vendrel::HostImage::blank(4, 2, plugInModeCMYKColor);
    ASSERT_EQ(image.planes, 4);
    std::fill(image.pixels.begin(), image.pixels.end(), uint8_t(255));
    // A black-ink line splits the image; a pixel with little black ink differs only in the fourth channel.
    for (int32_t y = 0; y < 2; ++y)
        image.pixel(1, y)[3] = 0;
    image.pixel(3, 1)[3] = 150;
    Settings settings;
    settings.tolerance = 20;
    ASSERT_EQ(Run(image, settings).result, 0);
    const uint8_t* left = image.pixel(0, 0);
    const uint8_t* right = image.pixel(2, 0);
    EXPECT_EQ(left[3], 255);
    EXPECT_EQ(right[3], 255);
    EXPECT_FALSE(left[0] == 255 && left[1] == 255 && left[2] == 255);
    EXPECT_EQ(std::vector<uint8_t>(left, left + 4), std::vector<uint8_t>(image.pixel(0, 1), image.pixel(0, 1) + 4));
    EXPECT_EQ(std::vector<uint8_t>(right, right + 4), std::vector<uint8_t>(image.pixel(3, 0), image.pixel(3, 0) + 4));
    EXPECT_EQ(image.pixel(1, 0)[3], 0);
    EXPECT_EQ((std::vector<uint8_t>(image.pixel(3, 1), image.pixel(3, 1) + 4)),
              (std::vector<uint8_t>{255, 255, 255, 150}));
}

TEST_F(EngineRun, FivePlaneImageTestsAndPaintsFourChannelsOnly)
{
    vendrel::HostImage image = vendrel::HostImage::blank(3, 1);
    image.colorPlanes = 5;
    image.planes = 5;
    // White converted for an RGB image is (255, 255, 255, 0): the fourth channel matches 0 only.
    image.pixels = {255, 255, 255, 0, 255, 255, 255, 255, 0, 7, 255, 255, 255, 9, 255};
    AddPalette("One.aco", {kRed});
    Settings settings;
    settings.randomColors = false;
    settings.palette = "One.aco";
    ASSERT_EQ(Run(image, settings).result, 0);
    // The fifth plane is neither tested nor painted; the fourth is both, and area colours carry 255 there.
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{200, 30, 30, 255, 255, 200, 30, 30, 255, 7, 255, 255, 255, 9, 255}));
}

TEST_F(EngineRun, TransparencyIsNeverTouched)
{
    vendrel::HostImage image = vendrel::HostImage::blank(2, 1, plugInModeRGBColor, true);
    ASSERT_EQ(image.planes, 4);
    image.pixels = {255, 255, 255, 17, 255, 255, 255, 255};
    AddPalette("One.aco", {kRed});
    Settings settings;
    settings.randomColors = false;
    settings.palette = "One.aco";
    ASSERT_EQ(Run(image, settings).result, 0);
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{200, 30, 30, 17, 200, 30, 30, 255}));
}

} // namespace
} // namespace vendrel::test
