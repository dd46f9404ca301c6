// The flatting stages of vendrel run, end to end through the built command: --flats and --close-gaps.
#include "cli_fixture.h"

namespace vendrel::test {
namespace {

std::vector<uint8_t> colourAt(const HostImage& image, int32_t x, int32_t y)
{
    const uint8_t* p = image.pixel(x, y);
    return std::vector<uint8_t>(p, p + image.colorPlanes);
}

HostImage whitePage(int32_t width, int32_t height)
{
    HostImage image = HostImage::blank(width, height);
    std::fill(image.pixels.begin(), image.pixels.end(), 255);
    return image;
}

void ink(HostImage& image, int32_t x, int32_t y, uint8_t value = 0)
{
    uint8_t* p = image.pixel(x, y);
    p[0] = p[1] = p[2] = value;
}

class FlattingTest : public CommandTest {
protected:
    HostImage run(const HostImage& input, std::vector<std::string> extra)
    {
        saveImage(input, file("in.png"));
        std::vector<std::string> arguments = {"run", file("in.png"), "-o", file("out.png"), "--tolerance", "0",
                                              "--palette", "Flatting 24.aco", "--presets", presetsFolder};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        CommandResult result = vendrel(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return loadImage(file("out.png"));
    }
};

// A 7-pixel-wide line between two white areas, drawn in two greys: each half of it takes its own side's colour,
// and the middle column, as near to both sides, takes the left one's.
TEST_F(FlattingTest, ThickLineTakesTheColourOfEachSideAndFilledPixelsStay)
{
    HostImage input = whitePage(40, 12);
    for (int32_t y = 0; y < input.height; ++y) {
        for (int32_t x = 17; x <= 23; ++x) {
            ink(input, x, y, x % 2 ? 0 : 60);
        }
    }
    const HostImage plain = run(input, {});
    const HostImage flats = run(input, {"--flats"});
    const std::vector<uint8_t> left = colourAt(plain, 0, 0), right = colourAt(plain, 39, 0);
    ASSERT_NE(left, right);
    for (int32_t y = 0; y < input.height; ++y) {
        for (int32_t x = 0; x < input.width; ++x) {
            const bool line = x >= 17 && x <= 23;
            const std::vector<uint8_t> expected = !line ? colourAt(plain, x, y) : x <= 20 ? left : right;
            EXPECT_EQ(colourAt(flats, x, y), expected) << "at (" << x << ", " << y << ")";
        }
    }
    EXPECT_EQ(colourAt(plain, 20, 5), colourAt(input, 20, 5)) << "without --flats the line stays";
}

} // namespace
} // namespace vendrel::test
