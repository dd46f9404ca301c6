// Runs without small-area treatment find their areas by labelling the rows; runs with it flood each area.
// Flagging with a size limit of zero pixels treats no area, so the two ways must give the same image, the
// same progress and the same abort on any image. The colours come from swatch files: random colours go on
// from run to run in one process, so two runs would not draw the same ones.
#include <random>

#include "engine_e2e_support.h"

namespace vendrel::test {
namespace {

struct Outcome {
    std::vector<uint8_t> pixels;
    int16_t result = 0;
    std::vector<std::array<int32_t, 2>> reports;
    std::vector<std::string> alerts;
};

class RowLabels : public EngineRun {
protected:
    Outcome RunOnce(const HostImage& original, const Settings& settings, int abortAfterRows)
    {
        frontEnd = RecordingFrontEnd{};
        frontEnd.abortAfterRows = abortAfterRows;
        HostImage image = original;
        Outcome outcome;
        outcome.result = Run(image, settings).result;
        outcome.pixels = image.pixels;
        outcome.reports = frontEnd.reports;
        outcome.alerts = frontEnd.alerts;
        return outcome;
    }
};

// Pixels from a few values near and far from white, so that areas of every shape and size form.
HostImage RandomImage(std::mt19937& random, int16_t mode)
{
    const int32_t width = std::uniform_int_distribution<int32_t>(1, 70)(random);
    const int32_t height = std::uniform_int_distribution<int32_t>(1, 24)(random);
    HostImage image = HostImage::blank(width, height, mode);
    const uint8_t values[] = {255, 255, 255, 250, 230, 200, 0};
    const int32_t density = std::uniform_int_distribution<int32_t>(1, 6)(random);
    for (uint8_t& byte : image.pixels)
        byte = values[std::uniform_int_distribution<int32_t>(0, density)(random)];
    return image;
}

TEST_F(RowLabels, GiveTheFloodsImageProgressAndAbortOnRandomImages)
{
    // The second colour of the first file lies in the window at a tolerance of 8 or more, so it is passed
    // over there; the second file cycles through more colours than most images have areas.
    AddPalette("three.aco", {{200, 30, 30}, {250, 250, 250}, {20, 90, 200}});
    AddPalette("many.aco", {{200, 30, 30},
                            {30, 200, 30},
                            {20, 90, 200},
                            {120, 120, 0},
                            {0, 120, 120},
                            {160, 60, 220},
                            {90, 200, 160},
                            {220, 140, 40},
                            {100, 100, 230},
                            {180, 180, 90}});
    std::mt19937 random(2026);
    const int16_t modes[] = {plugInModeRGBColor, plugInModeCMYKColor};
    // Where every swatch colour lies in the window, random colours are drawn: the tolerances stay below.
    const int32_t tolerances[] = {0, 8, 40, 120, 60};
    for (int trial = 0; trial < 400; ++trial) {
        const int16_t mode = modes[trial / 2 % 2];
        const HostImage image = RandomImage(random, mode);
        Settings plain;
        plain.tolerance = tolerances[std::uniform_int_distribution<int>(0, 4)(random)];
        plain.randomColors = false;
        plain.palette = trial % 2 == 0 ? "three.aco" : "many.aco";
        const int abortAfterRows =
            trial % 5 == 0 ? std::uniform_int_distribution<int>(0, image.height)(random) : 1 << 30;

        Settings noneTreated = plain;
        noneTreated.flagAreas = true;
        noneTreated.measureArea = true;
        noneTreated.flagSize = 0;

        const Outcome labelled = RunOnce(image, plain, abortAfterRows);
        const Outcome flooded = RunOnce(image, noneTreated, abortAfterRows);
        SCOPED_TRACE("trial " + std::to_string(trial) + ", " + std::to_string(image.width) + "x" +
                     std::to_string(image.height) + ", tolerance " + std::to_string(plain.tolerance));
        ASSERT_EQ(labelled.pixels, flooded.pixels);
        ASSERT_EQ(labelled.result, flooded.result);
        ASSERT_EQ(labelled.reports, flooded.reports);
        ASSERT_EQ(labelled.alerts, flooded.alerts);
    }
}

} // namespace
} // namespace vendrel::test
