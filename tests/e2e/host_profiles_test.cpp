// The filter in hosts that withhold what ours offers: a current image editor without a dialog manager, a viewer's
// filter engine (no basic suite, no usable descriptors, colour services that only pick) and a bare host. Each
// gives the full host's bytes where it can play the run, and ends cleanly where nothing can work.
#include <gtest/gtest.h>

#include <filesystem>

#include "dialog_presser.h"
#include "engine_e2e_support.h"
#include "vendrel/host/ImageFile.h"

namespace vendrel::test {
namespace {

class HostProfiles : public EngineRun {};

// The bundled line art, with the shipped swatch file in the test's swatch folder.
TEST_F(HostProfiles, RealLineArtComesOutAsInTheFullHostUnderEverySetting)
{
    const fs::path source = fs::path(VENDREL_SOURCE_DIR);
    fs::copy_file(source / "presets" / "Color Swatches" / "Flatting 24.aco",
                  hostFolder / "Color Swatches" / "Flatting 24.aco");
    const vendrel::HostImage lineArt = vendrel::loadImage((source / "examples" / "lineart.png").string());

    Settings palette;
    palette.tolerance = 40;
    palette.randomColors = false;
    palette.palette = "Flatting 24.aco";
    Settings joined = palette;
    joined.joinAreas = true;
    joined.joinSize = 30;
    Settings flagged;
    flagged.tolerance = 40;
    flagged.flagAreas = true;
    flagged.measureArea = false;
    flagged.flagSize = 12;
    for (const Settings& settings : {palette, joined, flagged}) {
        vendrel::HostImage image = lineArt;
        EXPECT_EQ(Run(image, settings).result, 0);
        EXPECT_NE(image.pixels, lineArt.pixels);
    }
}

// Where the module has no dialog of its own, a host that hands no settings over leaves nothing that could ask for
// them: the run ends with "cannot run" before the image is touched, and About shows nothing.
TEST_F(HostProfiles, WithoutAnyDialogManagerAHostThatPassesNoSettingsEndsCleanly)
{
    if (ModuleDrawsOwnDialogs())
        GTEST_SKIP() << "the module draws its own dialogs here";
    for (const vendrel::HostProfile profile : {vendrel::HostProfile::viewer, vendrel::HostProfile::bare}) {
        vendrel::HostConfig config;
        config.hostFolder = hostFolder.string();
        config.frontEnd = &frontEnd;
        config.profile = profile;
        vendrel::FilterHost host(Module(), config);
        vendrel::HostImage image = vendrel::HostImage::blank(3, 2);
        const std::vector<uint8_t> before = image.pixels;
        const vendrel::RunResult result = host.run(image);
        EXPECT_EQ(result.result, -30100) << vendrel::hostProfileName(profile);
        EXPECT_EQ(result.failedSelector, filterSelectorParameters);
        EXPECT_EQ(image.pixels, before);
        EXPECT_EQ(host.about(), 0);
        EXPECT_EQ(host.data(), 0);
    }
}

// A CMYK image in a host that cannot convert: the module says so and stops, never filling a window of stale bytes.
TEST_F(HostProfiles, ACmykImageInAHostThatCannotConvertStopsWithAnAlert)
{
    if (!ModuleDrawsOwnDialogs())
        GTEST_SKIP() << "hosts that cannot convert pass no settings, which only the module's own dialog can take";
    Settings settings;
    settings.tolerance = 10;
    ConfirmInTheDialog(settings);
    vendrel::HostImage image = vendrel::HostImage::blank(4, 3, plugInModeCMYKColor);
    std::fill(image.pixels.begin(), image.pixels.end(), uint8_t(255));
    const std::vector<uint8_t> before = image.pixels;
    vendrel::HostConfig config;
    config.hostFolder = hostFolder.string();
    config.profile = vendrel::HostProfile::viewer;
    vendrel::FilterHost host(Module(), config);
    DialogPresser presser(1);
    const vendrel::RunResult result = host.run(image);
    EXPECT_EQ(result.result, -30100);
    EXPECT_EQ(result.failedSelector, filterSelectorStart);
    EXPECT_EQ(image.pixels, before);
    EXPECT_EQ(presser.Pressed(), 2) << "the dialog, then the alert";
}

} // namespace
} // namespace vendrel::test
