// The whole flatting recipe end to end through the built command, on the example, a generated scan and
// transparent line art: every region of the flats is one area, no two touching areas share a colour, and every
// pixel has a palette colour or the flag colour.
#include <set>

#include "cli_fixture.h"
#include "colour_regions.h"
#include "generated_scan.h"
#include "preset_colours.h"

namespace vendrel::test {
namespace {

// The generated scan with a gap of three pixels cut into an outline, as a pen that lifted leaves it.
HostImage scanWithAGap()
{
    HostImage image = generatedScan({230, 226, 220}, 8).image;
    for (int32_t y = 9; y <= 13; ++y) {
        for (int32_t x = 40; x <= 42; ++x) {
            uint8_t* p = image.pixel(x, y);
            p[0] = 230, p[1] = 226, p[2] = 220;
        }
    }
    return image;
}

struct RecipeCase {
    const char* name;
    HostImage input;
    std::vector<std::string> extra;
};

class TrustedFlatsTest : public CommandTest {
protected:
    CommandResult flats(const std::vector<std::string>& extra, const std::string& output)
    {
        std::vector<std::string> arguments = {"run", file("in.png"), "-o", file(output), "--presets", presetsFolder};
        const char* const recipe[] = {"--palette",  "Flatting 24.aco", "--fillcolor", "auto",           "--tolerance",
                                      "auto",       "--close-gaps",    "6",           "--merge-specks", "30",
                                      "--distinct", "--flats"};
        arguments.insert(arguments.end(), std::begin(recipe), std::end(recipe));
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return vendrel(arguments);
    }
};

// With random colours each area keeps a colour of its own among its neighbours, so the random run's regions
// are the areas; the palette run must give as many regions, or two touching areas share a colour.
TEST_F(TrustedFlatsTest, TheRecipeGivesOneRegionPerAreaInPaletteColours)
{
    const RecipeCase cases[] = {
        {"the example", loadImage(std::string(VENDREL_SOURCE_DIR) + "/examples/lineart.png"), {}},
        {"a scan with paper tint, noise, hatching and a gap", scanWithAGap(), {}},
        {"transparent line art", generatedScan({0, 0, 0}, 0, true).image, {"--paper", "transparent"}},
    };
    std::set<std::array<uint8_t, 3>> allowed = {{0xFF, 0x00, 0xFF}};
    for (const auto& colour : presetColours("Flatting 24")) {
        allowed.insert(colour);
    }
    for (const RecipeCase& c : cases) {
        SCOPED_TRACE(c.name);
        saveImage(c.input, file("in.png"));
        const CommandResult palette = flats(c.extra, "palette.png");
        ASSERT_EQ(palette.exitCode, 0) << palette.err;
        std::vector<std::string> random = c.extra;
        random.push_back("--randomcolors");
        const CommandResult areas = flats(random, "random.png");
        ASSERT_EQ(areas.exitCode, 0) << areas.err;

        const HostImage output = loadImage(file("palette.png"));
        const int areaCount = countRegions(loadImage(file("random.png")));
        EXPECT_GT(areaCount, 2);
        EXPECT_EQ(countRegions(output), areaCount);
        size_t strangers = 0;
        for (int32_t y = 0; y < output.height; ++y) {
            for (int32_t x = 0; x < output.width; ++x) {
                strangers += allowed.count(regionColourAt(output, x, y)) == 0;
            }
        }
        EXPECT_EQ(strangers, 0u) << "pixels whose colour is neither the palette's nor the flag's";
    }
}

} // namespace
} // namespace vendrel::test
