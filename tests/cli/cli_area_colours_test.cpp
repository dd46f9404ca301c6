// The stages that decide the areas' final colours, end to end through the built command: --distinct.
#include <fstream>
#include <set>
#include <sstream>

#include "cli_fixture.h"
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

// The colours of a preset as its readable list gives them (one "RRGGBB name" a line), not as any reader of ours.
std::vector<Colour> presetColours(const std::string& name)
{
    std::ifstream list(std::string(VENDREL_SOURCE_DIR) + "/presets/colors/" + name + ".txt");
    std::vector<Colour> colours;
    for (std::string line; std::getline(list, line);) {
        if (line.size() < 6 || line[0] == '#') {
            continue;
        }
        const unsigned long value = std::stoul(line.substr(0, 6), nullptr, 16);
        colours.push_back({uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)});
    }
    return colours;
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

// Regions of one colour: the 4-connected sets of pixels of equal colour.
int countRegions(const HostImage& image)
{
    std::vector<uint8_t> seen(size_t(image.width) * size_t(image.height), 0);
    int count = 0;
    for (int32_t y0 = 0; y0 < image.height; ++y0) {
        for (int32_t x0 = 0; x0 < image.width; ++x0) {
            if (seen[size_t(y0) * size_t(image.width) + size_t(x0)] != 0) {
                continue;
            }
            ++count;
            const Colour colour = colourAt(image, x0, y0);
            std::vector<std::pair<int32_t, int32_t>> stack = {{x0, y0}};
            seen[size_t(y0) * size_t(image.width) + size_t(x0)] = 1;
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                const int32_t dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
                for (int k = 0; k < 4; ++k) {
                    const int32_t nx = x + dx[k], ny = y + dy[k];
                    if (nx < 0 || ny < 0 || nx >= image.width || ny >= image.height) {
                        continue;
                    }
                    uint8_t& mark = seen[size_t(ny) * size_t(image.width) + size_t(nx)];
                    if (mark == 0 && colourAt(image, nx, ny) == colour) {
                        mark = 1;
                        stack.push_back({nx, ny});
                    }
                }
            }
        }
    }
    return count;
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

} // namespace
} // namespace vendrel::test
