// The README's flatting pictures are what the command makes of the bundled example with the options shown beside
// them: the stages before and after the filter must keep giving those pixels.
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "cli_fixture.h"

namespace vendrel::test {
namespace {

struct ReadmePicture {
    const char* name;
    const char* input;   // under the checkout
    const char* picture; // under docs/
    std::vector<std::string> options;
};

// "Flatting line art": the example three ways (the plain one is checked beside the README's first example), and
// the example as a scan (paper tint and noise) through the whole recipe.
const ReadmePicture kPictures[] = {
    {"CloseGaps",
     "examples/lineart.png",
     "lineart-close-gaps.png",
     {"--tolerance", "40", "--palette", "Flatting 24.aco", "--close-gaps", "10"}},
    {"CloseGapsAndFlats",
     "examples/lineart.png",
     "lineart-flats.png",
     {"--tolerance", "40", "--palette", "Flatting 24.aco", "--close-gaps", "10", "--flats"}},
    {"ScanThroughTheWholeRecipe",
     "docs/scan-before.png",
     "scan-flats.png",
     {"--palette", "Flatting 24.aco", "--fillcolor", "auto", "--tolerance", "auto", "--close-gaps", "6",
      "--merge-specks", "30", "--distinct", "--flats"}},
};

void PrintTo(const ReadmePicture& picture, std::ostream* out)
{
    *out << "docs/" << picture.picture;
}

class ReadmePictures : public CommandTest, public ::testing::WithParamInterface<ReadmePicture> {};

TEST_P(ReadmePictures, TheCommandGivesThePictureTheReadmeShows)
{
    const ReadmePicture& expected = GetParam();
    const std::string input = std::string(VENDREL_SOURCE_DIR) + "/" + expected.input;
    std::vector<std::string> arguments = {"run", input, "-o", file("made.png"), "--presets", presetsFolder, "--quiet"};
    arguments.insert(arguments.end(), expected.options.begin(), expected.options.end());
    const CommandResult run = vendrel(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const HostImage made = loadImage(file("made.png"));
    const HostImage shown = loadImage(std::string(VENDREL_SOURCE_DIR) + "/docs/" + expected.picture);
    ASSERT_EQ(made.width, shown.width);
    ASSERT_EQ(made.height, shown.height);
    ASSERT_EQ(made.planes, shown.planes);
    size_t differing = 0;
    int32_t firstX = -1, firstY = -1;
    for (int32_t y = 0; y < made.height; ++y)
        for (int32_t x = 0; x < made.width; ++x)
            if (!std::equal(made.pixel(x, y), made.pixel(x, y) + made.planes, shown.pixel(x, y)) && differing++ == 0)
                firstX = x, firstY = y;
    EXPECT_EQ(differing, 0u) << "the command's result differs from docs/" << expected.picture << " in " << differing
                             << " pixels, the first at (" << firstX << ", " << firstY << ")";
}

INSTANTIATE_TEST_SUITE_P(Flatting, ReadmePictures, ::testing::ValuesIn(kPictures),
                         [](const ::testing::TestParamInfo<ReadmePicture>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace vendrel::test
