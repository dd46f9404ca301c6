// The stages that decide the areas' final colours, end to end through the built command: --merge-specks and
// --distinct.
#include <fstream>
#include <tuple>
#include <set>
#include <sstream>

#include "cli_fixture.h"
#include "colour_regions.h"
#include "preset_colours.h"
#include "swatch_file_bytes.h"

namespace vendrel::test {
namespace {

using Colour = std::array<uint8_t, 3>;

Colour colourAt(const HostImage& image, int32_t x, int32_t y)
{
    const uint8_t* p = image.pixel(x, y);
    return {p[0], p[1], p[2]};
}

void ink(HostImage& image, int32_t x, int32_t y)
{
    uint8_t* p = image.pixel(x, y);
    p[0] = p[1] = p[2] = 0;
}

// A swatch file of RGB colours.
std::vector<uint8_t> swatchBytes(const std::vector<Colour>& colours)
{
    std::vector<SwatchRecord> records;
    for (const Colour& c : colours) {
        records.push_back(SwatchRecord{0, {uint16_t(c[0] * 257), uint16_t(c[1] * 257), uint16_t(c[2] * 257), 0}, {}});
    }
    return swatchFileBytes(records, false);
}

// A tall area on the left touching a column of stacked boxes on the right, each across a one-pixel line; the
// palette in turn gives some box the tall area's colour.
HostImage tallAreaBesideBoxes(int32_t boxes)
{
    const int32_t boxHeight = 5;
    HostImage image = HostImage::blank(60, boxes * (boxHeight + 1) + 1);
    for (int32_t y = 0; y < image.height; ++y) {
        ink(image, 20, y);
        if (y % (boxHeight + 1) == 0) {
            for (int32_t x = 21; x < image.width; ++x) {
                ink(image, x, y);
            }
        }
    }
    return image;
}

// Four areas each touching the three others: the top is cut into a left and a right half, the bottom is one
// area, and a box sits over the point where the three meet. Four colours are needed.
HostImage fourMutuallyTouching()
{
    HostImage image = HostImage::blank(60, 40);
    for (int32_t x = 0; x < image.width; ++x) {
        ink(image, x, 20);
    }
    for (int32_t y = 0; y < 20; ++y) {
        ink(image, 30, y);
    }
    for (int32_t i = 22; i <= 38; ++i) {
        ink(image, i, 12), ink(image, i, 28), ink(image, 22, 12 + (i - 22)), ink(image, 38, 12 + (i - 22));
    }
    for (int32_t y = 13; y < 28; ++y) {
        for (int32_t x = 23; x < 38; ++x) {
            uint8_t* p = image.pixel(x, y);
            p[0] = p[1] = p[2] = 255;
        }
    }
    return image;
}

class AreaColoursTest : public CommandTest {
protected:
    CommandResult run(const std::string& palette, std::vector<std::string> extra, const std::string& output)
    {
        std::vector<std::string> arguments = {"run",       file("in.png"), "-o",        file(output),
                                              "--palette", palette,        "--presets", presetsFolder};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return vendrel(arguments);
    }
};

struct DistinctCase {
    const char* name;
    HostImage (*draw)();
    std::vector<Colour> palette; // empty: the preset "Flatting 24"
    bool paletteRunsShort;
};

// With --distinct --flats every area of the input is one region of the output, no two touching regions share a
// colour, and the colours come from the palette unless it runs short, which stderr says; areas whose colour no
// other area had keep it, and a second run gives the same bytes.
TEST_F(AreaColoursTest, DistinctGivesTouchingAreasDifferentColours)
{
    const DistinctCase cases[] = {
        {"a tall area beside 30 boxes", [] { return tallAreaBesideBoxes(30); }, {}, false},
        {"four areas touching each other, three colours",
         fourMutuallyTouching,
         {{0xF0, 0x80, 0x80}, {0x80, 0xF0, 0x80}, {0x80, 0x80, 0xF0}},
         true},
    };
    for (const DistinctCase& c : cases) {
        SCOPED_TRACE(c.name);
        const HostImage input = c.draw();
        saveImage(input, file("in.png"));
        std::string palette = "Flatting 24.aco";
        std::vector<Colour> paletteColours = presetColours("Flatting 24");
        if (!c.palette.empty()) {
            palette = file("three.aco");
            writeBytes(palette, swatchBytes(c.palette));
            paletteColours = c.palette;
        }
        int areas = 0;
        const std::vector<int> area = labelAreas(
            input, [](const uint8_t* p) { return p[0] == 255; }, areas);

        const CommandResult plain = run(palette, {"--flats"}, "plain.png");
        ASSERT_EQ(plain.exitCode, 0) << plain.err;
        EXPECT_LT(countRegions(loadImage(file("plain.png"))), areas) << "the case must merge areas without it";

        const CommandResult distinct = run(palette, {"--flats", "--distinct"}, "distinct.png");
        ASSERT_EQ(distinct.exitCode, 0) << distinct.err;
        const HostImage output = loadImage(file("distinct.png")), before = loadImage(file("plain.png"));
        EXPECT_EQ(countRegions(output), areas);
        EXPECT_EQ(distinct.err.find("too few") != std::string::npos, c.paletteRunsShort) << distinct.err;

        std::map<Colour, std::set<int>> areasOfColourBefore;
        std::set<Colour> outside;
        for (int32_t y = 0; y < input.height; ++y) {
            for (int32_t x = 0; x < input.width; ++x) {
                const int a = area[size_t(y) * size_t(input.width) + size_t(x)];
                if (a >= 0) {
                    areasOfColourBefore[colourAt(before, x, y)].insert(a);
                }
                const Colour now = colourAt(output, x, y);
                if (std::find(paletteColours.begin(), paletteColours.end(), now) == paletteColours.end()) {
                    outside.insert(now);
                }
            }
        }
        EXPECT_EQ(outside.size(), c.paletteRunsShort ? 1u : 0u) << "colours from outside the palette";
        for (int32_t y = 0; y < input.height; ++y) {
            for (int32_t x = 0; x < input.width; ++x) {
                const Colour was = colourAt(before, x, y);
                if (area[size_t(y) * size_t(input.width) + size_t(x)] >= 0 && areasOfColourBefore[was].size() == 1) {
                    ASSERT_EQ(colourAt(output, x, y), was) << "an area no other shared a colour with keeps it";
                }
            }
        }
        const CommandResult again = run(palette, {"--flats", "--distinct"}, "again.png");
        ASSERT_EQ(again.exitCode, 0) << again.err;
        EXPECT_EQ(readBytes(file("again.png")), readBytes(file("distinct.png")));
    }
}

// Two large areas either side of a five-pixel-wide line drawn in black and grey, with white pockets in the line
// and in the areas: one pixel in the line's middle column (as near to both sides), one nearer the right side, a
// pocket of N pixels in the left area behind a grey ring, and one of N + 1 pixels.
HostImage lineWithPockets(int32_t n)
{
    HostImage image = HostImage::blank(64, 30);
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 28; x <= 32; ++x) {
            uint8_t* p = image.pixel(x, y);
            p[0] = p[1] = p[2] = x == 30 ? 0 : 128;
        }
    }
    auto pocket = [&](int32_t left, int32_t top, int32_t pixels) {
        for (int32_t y = top - 1; y <= top + 1; ++y) {
            for (int32_t x = left - 1; x <= left + pixels; ++x) {
                uint8_t* p = image.pixel(x, y);
                const bool inside = y == top && x >= left && x < left + pixels;
                p[0] = p[1] = p[2] = inside ? 255 : (x + y) % 2 ? 0 : 160;
            }
        }
    };
    uint8_t* middle = image.pixel(30, 5);
    middle[0] = middle[1] = middle[2] = 255;
    uint8_t* right = image.pixel(31, 12);
    right[0] = right[1] = right[2] = 255;
    pocket(5, 20, n);
    pocket(5, 25, n + 1);
    return image;
}

// With --merge-specks N every area of at most N pixels takes the colour of the nearest larger area (nearest
// pixel of any larger area to any of its pixels, ties to the leftmost, then topmost such pixel), found here by
// a plain search over every pair of pixels; larger areas keep their colours, and with --flats no colour but the
// palette's is left, even where --joinareas leaves the ink's grey.
TEST_F(AreaColoursTest, MergeSpecksGivesSmallAreasTheColourOfTheNearestLargerArea)
{
    const std::vector<Colour> paletteColours = presetColours("Flatting 24");
    for (const int32_t n : {1, 4}) {
        SCOPED_TRACE("--merge-specks " + std::to_string(n));
        const HostImage input = lineWithPockets(n);
        saveImage(input, file("in.png"));
        int areaCount = 0;
        const std::vector<int> area = labelAreas(
            input, [](const uint8_t* p) { return p[0] == 255; }, areaCount);
        std::vector<int> size(size_t(areaCount), 0);
        for (int a : area) {
            if (a >= 0) {
                ++size[size_t(a)];
            }
        }
        const std::string speck = std::to_string(n);
        const CommandResult plain = run("Flatting 24.aco", {}, "plain.png");
        const CommandResult merged = run("Flatting 24.aco", {"--merge-specks", speck}, "merged.png");
        ASSERT_EQ(plain.exitCode, 0) << plain.err;
        ASSERT_EQ(merged.exitCode, 0) << merged.err;
        const HostImage before = loadImage(file("plain.png")), after = loadImage(file("merged.png"));

        // The expected colour of each area, by a search over every pair of pixels.
        std::vector<std::tuple<int64_t, int32_t, int32_t>> best(size_t(areaCount), {INT64_MAX, 0, 0});
        for (size_t i = 0; i < area.size(); ++i) {
            const int a = area[i];
            if (a < 0 || size[size_t(a)] > n) {
                continue;
            }
            const int32_t x = int32_t(i % size_t(input.width)), y = int32_t(i / size_t(input.width));
            for (size_t j = 0; j < area.size(); ++j) {
                if (area[j] < 0 || size[size_t(area[j])] <= n) {
                    continue;
                }
                const int32_t tx = int32_t(j % size_t(input.width)), ty = int32_t(j / size_t(input.width));
                const std::tuple<int64_t, int32_t, int32_t> candidate = {
                    int64_t(tx - x) * (tx - x) + int64_t(ty - y) * (ty - y), tx, ty};
                best[size_t(a)] = std::min(best[size_t(a)], candidate);
            }
        }
        int merges = 0;
        for (size_t i = 0; i < area.size(); ++i) {
            const int a = area[i];
            if (a < 0) {
                continue;
            }
            const int32_t x = int32_t(i % size_t(input.width)), y = int32_t(i / size_t(input.width));
            if (size[size_t(a)] > n) {
                ASSERT_EQ(colourAt(after, x, y), colourAt(before, x, y))
                    << "a larger area at (" << x << ", " << y << ")";
                continue;
            }
            const auto [distance, tx, ty] = best[size_t(a)];
            ASSERT_EQ(colourAt(after, x, y), colourAt(before, tx, ty)) << "a speck at (" << x << ", " << y << ")";
            ++merges;
        }
        EXPECT_EQ(merges, 2 + n) << "the two pockets in the line and the pocket of N pixels";

        const std::string joinSize = std::to_string(n);
        for (const auto& [extra, foreign] :
             {std::pair{std::vector<std::string>{"--joinareas", "--joinsize", joinSize, "--flats"}, true},
              std::pair{std::vector<std::string>{"--merge-specks", speck, "--flats"}, false}}) {
            const CommandResult flats = run("Flatting 24.aco", extra, "flats.png");
            ASSERT_EQ(flats.exitCode, 0) << flats.err;
            const HostImage output = loadImage(file("flats.png"));
            bool anyForeign = false;
            for (int32_t y = 0; y < output.height; ++y) {
                for (int32_t x = 0; x < output.width; ++x) {
                    const Colour now = colourAt(output, x, y);
                    anyForeign = anyForeign ||
                                 std::find(paletteColours.begin(), paletteColours.end(), now) == paletteColours.end();
                }
            }
            EXPECT_EQ(anyForeign, foreign) << extra.front();
        }
    }
}

} // namespace
} // namespace vendrel::test
