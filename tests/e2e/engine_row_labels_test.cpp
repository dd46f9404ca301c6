// The module labels the areas row by row wherever that gives the flood's result; the reference module floods
// every area. Both must give the same image, the same progress, the same abort and the same alerts on any
// image and any settings. Each is loaded from a copy of its own, so that its random colours start where the
// other's do and only these runs draw from them.
#include <random>
#include <utility>

#include "engine_e2e_support.h"

namespace vendrel::test {
namespace {

struct Outcome {
    std::vector<uint8_t> pixels;
    int16_t result = 0;
    std::vector<std::array<int32_t, 2>> reports;
    std::vector<std::string> alerts;
};

std::unique_ptr<PluginModule> LoadCopy(const std::string& path, const std::string& name)
{
    const fs::path copy = fs::temp_directory_path() / (name + "-" + std::to_string(std::random_device{}()) + ".8bf");
    fs::copy_file(path, copy, fs::copy_options::overwrite_existing);
    std::unique_ptr<PluginModule> module = PluginModule::load(copy.string());
    fs::remove(copy); // the loaded module stays mapped
    return module;
}

class RowLabels : public EngineRun {
protected:
    Outcome RunOnce(const PluginModule& module, const HostImage& original, const Settings& settings, int abortAfterRows)
    {
        RecordingFrontEnd watcher;
        watcher.abortAfterRows = abortAfterRows;
        HostConfig config;
        config.hostFolder = hostFolder.string();
        config.frontEnd = &watcher;
        FilterHost host(module, config);
        RunOptions options;
        options.descriptor = ToDescriptor(settings);
        HostImage image = original;
        Outcome outcome;
        outcome.result = host.run(image, options).result;
        outcome.pixels = image.pixels;
        outcome.reports = watcher.reports;
        outcome.alerts = watcher.alerts;
        return outcome;
    }
    // The labelling module's outcome and the flooding one's, each from a fresh copy, without an abort.
    std::pair<Outcome, Outcome> RunBoth(const HostImage& image, const Settings& settings)
    {
        const auto labelling = LoadCopy(VENDREL_MODULE_PATH, "vendrel-labels");
        const auto flooding = LoadCopy(VENDREL_REFERENCE_MODULE_PATH, "vendrel-floods");
        return {RunOnce(*labelling, image, settings, 1 << 30), RunOnce(*flooding, image, settings, 1 << 30)};
    }
};

// Pixels from a few values near and far from white, so that areas of every shape and size form; some rows
// repeat the row above.
HostImage RandomImage(std::mt19937& random, int16_t mode)
{
    const int32_t width = std::uniform_int_distribution<int32_t>(1, 70)(random);
    const int32_t height = std::uniform_int_distribution<int32_t>(1, 24)(random);
    HostImage image = HostImage::blank(width, height, mode);
    const uint8_t values[] = {255, 255, 255, 250, 230, 200, 0};
    const int32_t density = std::uniform_int_distribution<int32_t>(1, 6)(random);
    for (uint8_t& byte : image.pixels)
        byte = values[std::uniform_int_distribution<int32_t>(0, density)(random)];
    for (int32_t y = 1; y < height; ++y)
        if (std::uniform_int_distribution<int32_t>(0, 3)(random) == 0)
            std::copy(image.pixel(0, y - 1), image.pixel(0, y), image.pixel(0, y));
    return image;
}

Settings RandomSettings(std::mt19937& random, int trial)
{
    const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    Settings s;
    const int32_t tolerances[] = {0, 8, 40, 120, 254, 300};
    s.tolerance = tolerances[pick(0, 5)];
    // A fill colour other than white leaves white pixels outside the window, beside the areas.
    const Color fills[] = {{255, 255, 255}, {200, 200, 200}};
    s.fill = fills[pick(0, 1)];
    s.randomColors = pick(0, 1) == 0;
    s.palette = pick(0, 1) ? "three.aco" : "many.aco";
    s.measureArea = pick(0, 1) == 0;
    s.flagAreas = trial % 3 != 0 && pick(0, 1);
    s.joinAreas = trial % 3 != 0 && pick(0, 1);
    s.flagSize = pick(0, 12);
    s.joinSize = pick(0, 12);
    // Flag colours: magenta, one of the image's own values, white (inside the window) and a dark one.
    const Color flags[] = {{255, 0, 255}, {200, 200, 200}, {255, 255, 255}, {40, 40, 40}};
    s.flag = flags[pick(0, 3)];
    return s;
}

TEST_F(RowLabels, GiveTheFloodsResultOnRandomImagesAndSettings)
{
    // The second colour of the first file lies in the window at a tolerance of 8 or more; the image's own
    // values are among the second file's colours, so that repaints may reach beyond an area.
    AddPalette("three.aco", {{200, 30, 30}, {250, 250, 250}, {20, 90, 200}});
    AddPalette("many.aco", {{200, 30, 30},
                            {30, 200, 30},
                            {200, 200, 200},
                            {120, 120, 0},
                            {0, 120, 120},
                            {160, 60, 220},
                            {230, 230, 230},
                            {220, 140, 40},
                            {100, 100, 230},
                            {180, 180, 90},
                            {255, 255, 255}});
    const auto labelling = LoadCopy(VENDREL_MODULE_PATH, "vendrel-labels");
    const auto flooding = LoadCopy(VENDREL_REFERENCE_MODULE_PATH, "vendrel-floods");
    std::mt19937 random(2026);
    const int16_t modes[] = {plugInModeRGBColor, plugInModeCMYKColor};
    for (int trial = 0; trial < 600; ++trial) {
        const HostImage image = RandomImage(random, modes[trial / 2 % 2]);
        const Settings settings = RandomSettings(random, trial);
        const int abortAfterRows =
            trial % 5 == 0 ? std::uniform_int_distribution<int>(0, image.height)(random) : 1 << 30;
        const Outcome labelled = RunOnce(*labelling, image, settings, abortAfterRows);
        const Outcome flooded = RunOnce(*flooding, image, settings, abortAfterRows);
        SCOPED_TRACE("trial " + std::to_string(trial) + ", " + std::to_string(image.width) + "x" +
                     std::to_string(image.height) + ", tolerance " + std::to_string(settings.tolerance) +
                     (settings.flagAreas ? ", flag " + std::to_string(settings.flagSize) : "") +
                     (settings.joinAreas ? ", join " + std::to_string(settings.joinSize) : ""));
        ASSERT_EQ(labelled.pixels, flooded.pixels);
        ASSERT_EQ(labelled.result, flooded.result);
        ASSERT_EQ(labelled.reports, flooded.reports);
        ASSERT_EQ(labelled.alerts, flooded.alerts);
    }
}

TEST_F(RowLabels, AgreeWhenManyAreasWaitBehindATallOne)
{
    // A white column 160 rows tall to join, then thousands of one-pixel white areas on red, each joined to the
    // red beside it: they wait behind the column, more than the runs kept for waiting areas, so the joins made
    // while painting stop and the join pass takes the rest.
    HostImage image = HostImage::blank(64, 200);
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            const bool column = x == 0 && y < 160;
            const bool dot = x >= 3 && x % 2 == 1 && y % 2 == 1;
            const Color color = column || dot ? Color{255, 255, 255} : Color{200, 30, 30};
            std::copy(color.begin(), color.end(), image.pixel(x, y));
        }
    }
    Settings settings;
    settings.joinAreas = true;
    settings.joinSize = 200;
    const auto [labelled, flooded] = RunBoth(image, settings);
    EXPECT_EQ(labelled.pixels, flooded.pixels);
    EXPECT_EQ(labelled.result, flooded.result);
    EXPECT_EQ(labelled.reports, flooded.reports);
    // Every area was joined: no pixel keeps the flag colour.
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x)
            ASSERT_FALSE(labelled.pixels[(size_t(y) * 64 + size_t(x)) * 3] == 255 &&
                         labelled.pixels[(size_t(y) * 64 + size_t(x)) * 3 + 1] == 0)
                << x << "," << y;
}

TEST_F(RowLabels, AnAreaWaitingToBeJoinedDoesNotSeeALaterOneJoinedFirst)
{
    // Two one-pixel white areas in black: the first (2,1) touches nothing usable and waits for rows below;
    // the second (3,2), on its diagonal, touches red. Joined in order, the first finds the second still in
    // the flag colour and takes the blue two rows below it; were the second joined first, it would be red.
    HostImage image = HostImage::blank(6, 5);
    for (int32_t y = 0; y < image.height; ++y)
        for (int32_t x = 0; x < image.width; ++x)
            std::fill(image.pixel(x, y), image.pixel(x, y) + 3, uint8_t(0));
    const auto set = [&image](int32_t x, int32_t y, Color color) {
        std::copy(color.begin(), color.end(), image.pixel(x, y));
    };
    set(2, 1, {255, 255, 255});
    set(3, 2, {255, 255, 255});
    set(4, 2, {200, 30, 30});
    set(2, 3, {30, 30, 200});
    Settings settings;
    settings.joinAreas = true;
    settings.joinSize = 4;
    const auto [labelled, flooded] = RunBoth(image, settings);
    EXPECT_EQ(labelled.pixels, flooded.pixels);
    const auto at = [&labelled](int32_t x, int32_t y) {
        const uint8_t* p = &labelled.pixels[(size_t(y) * 6 + size_t(x)) * 3];
        return Color{p[0], p[1], p[2]};
    };
    EXPECT_EQ(at(2, 1), (Color{30, 30, 200}));
    EXPECT_EQ(at(3, 2), (Color{200, 30, 30}));
}

} // namespace
} // namespace vendrel::test
