// The flatting stages know the pixels the filter will fill before it runs, from the host's own copy of the
// filter's colour window (FillWindow). On random images, colours and tolerances the pixels the built module
// changes must be exactly the pixels of that window, in RGB, gray and CMYK.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine_e2e_support.h"
#include "vendrel/host/ColorServices.h"
#include "vendrel/host/FillWindow.h"

namespace vendrel::test {
namespace {

struct ModeCase {
    const char* name;
    int16_t mode;
    int16_t space; // the image mode's colour space in the host's colour services
};

const ModeCase kModes[] = {
    {"RGB", plugInModeRGBColor, plugIncolorServicesRGBSpace},
    {"gray", plugInModeGrayScale, plugIncolorServicesGraySpace},
    {"CMYK", plugInModeCMYKColor, plugIncolorServicesCMYKSpace},
};

constexpr int kTrialsPerMode = 100;
constexpr int32_t kWidth = 41;
constexpr int32_t kHeight = 29;

uint8_t Clip(int value)
{
    return uint8_t(std::clamp(value, 0, 255));
}

// The fill colour in the image's encoding, through the host's colour conversion, which the filter asks for too.
std::array<uint8_t, 4> FillInImageEncoding(const ModeCase& mode, const Color& fill)
{
    HostColor colour = {int16_t(fill[0]), int16_t(fill[1]), int16_t(fill[2]), 0};
    EXPECT_EQ(convertHostColor(plugIncolorServicesRGBSpace, mode.space, colour), noErr);
    return {uint8_t(colour[0]), uint8_t(colour[1]), uint8_t(colour[2]), uint8_t(colour[3])};
}

// A pixel colour made to sit in or near the window of centre +- tolerance: each channel lies inside, on either
// bound or one or two steps beyond it, or anywhere at all.
std::array<uint8_t, 4> NearWindow(std::mt19937& random, const std::array<uint8_t, 4>& centre, int tolerance)
{
    std::array<uint8_t, 4> colour{};
    for (size_t c = 0; c < 4; ++c) {
        const int low = centre[c] - tolerance;
        const int high = centre[c] + tolerance;
        switch (std::uniform_int_distribution<int>(0, 7)(random)) {
        case 0:
            colour[c] = Clip(low - std::uniform_int_distribution<int>(0, 2)(random));
            break;
        case 1:
            colour[c] = Clip(high + std::uniform_int_distribution<int>(0, 2)(random));
            break;
        case 2:
            colour[c] = uint8_t(std::uniform_int_distribution<int>(0, 255)(random));
            break;
        default:
            colour[c] = Clip(std::uniform_int_distribution<int>(low, high)(random));
            break;
        }
    }
    return colour;
}

// An image of a few colours near the window, laid out in blocks of random sizes so that areas of many shapes
// and sizes arise, some pixels scattered alone.
HostImage RandomImage(std::mt19937& random, const ModeCase& mode, const std::array<uint8_t, 4>& centre, int tolerance)
{
    HostImage image = HostImage::blank(kWidth, kHeight, mode.mode);
    std::vector<std::array<uint8_t, 4>> colours(size_t(std::uniform_int_distribution<int>(2, 8)(random)));
    for (auto& colour : colours)
        colour = NearWindow(random, centre, tolerance);
    // One colour surely inside (every channel within its bounds), and one just outside where the window leaves
    // room: a channel one or two steps beyond a bound.
    for (size_t c = 0; c < 4; ++c)
        colours[0][c] = Clip(std::uniform_int_distribution<int>(centre[c] - tolerance, centre[c] + tolerance)(random));
    colours[1] = colours[0];
    const int channels = image.colorPlanes;
    const int first = std::uniform_int_distribution<int>(0, channels - 1)(random);
    const int beyond = std::uniform_int_distribution<int>(1, 2)(random);
    for (int i = 0; i < channels; ++i) {
        const size_t c = size_t((first + i) % channels);
        if (centre[c] + tolerance + beyond <= 255 || centre[c] - tolerance - beyond >= 0) {
            const bool above = centre[c] + tolerance + beyond <= 255;
            colours[1][c] = uint8_t(above ? centre[c] + tolerance + beyond : centre[c] - tolerance - beyond);
            break;
        }
    }
    std::uniform_int_distribution<size_t> pick(0, colours.size() - 1);
    const int32_t block = std::uniform_int_distribution<int32_t>(1, 6)(random);
    for (int32_t by = 0; by < kHeight; by += block)
        for (int32_t bx = 0; bx < kWidth; bx += block) {
            const std::array<uint8_t, 4>& colour = colours[pick(random)];
            for (int32_t y = by; y < std::min(by + block, kHeight); ++y)
                for (int32_t x = bx; x < std::min(bx + block, kWidth); ++x)
                    std::copy_n(colour.begin(), image.colorPlanes, image.pixel(x, y));
        }
    for (int i = 0; i < kWidth * kHeight / 10; ++i) {
        const int32_t x = std::uniform_int_distribution<int32_t>(0, kWidth - 1)(random);
        const int32_t y = std::uniform_int_distribution<int32_t>(0, kHeight - 1)(random);
        std::copy_n(colours[pick(random)].begin(), image.colorPlanes, image.pixel(x, y));
    }
    return image;
}

// One run of the module without its dialog. The module's property list enables RGB and CMYK, so the host runs
// those whole; a gray image, which a host may hand any filter, goes through the same selectors one by one.
int16_t RunModule(HostImage& image, const Settings& settings)
{
    HostConfig config;
    FilterHost host(Module(), config);
    if (Module().pipl().supportsMode(image.mode)) {
        RunOptions options;
        options.descriptor = ToDescriptor(settings);
        return host.run(image, options).result;
    }
    host.begin(image);
    for (int16_t selector : {filterSelectorParameters, filterSelectorPrepare, filterSelectorStart}) {
        host.setDescriptor(ToDescriptor(settings), plugInDialogDontDisplay);
        if (const int16_t result = host.call(selector))
            return result;
    }
    EXPECT_EQ(host.record().outRect.bottom, host.record().outRect.top) << "the filter asked for more image data";
    return host.call(filterSelectorFinish);
}

std::string Describe(const HostImage& image, int32_t x, int32_t y, const FillWindow& window)
{
    std::ostringstream text;
    text << "pixel (" << x << ", " << y << ") of colour";
    for (int32_t c = 0; c < image.colorPlanes; ++c)
        text << ' ' << int(image.pixel(x, y)[c]);
    text << "; host's window";
    for (int c = 0; c < window.channels; ++c)
        text << ' ' << int(window.low[size_t(c)]) << ".." << int(window.high[size_t(c)]);
    return text.str();
}

void PrintTo(const ModeCase& mode, std::ostream* out)
{
    *out << mode.name;
}

class FillWindowProperty : public ::testing::TestWithParam<ModeCase> {};

TEST_P(FillWindowProperty, ThePixelsTheModuleChangesAreTheHostsWindow)
{
    const ModeCase& mode = GetParam();
    std::mt19937 random(20241209u + uint32_t(mode.mode));
    int mixedTrials = 0; // trials with pixels both in the window and out of it
    for (int trial = 0; trial < kTrialsPerMode; ++trial) {
        Settings settings;
        for (uint8_t& channel : settings.fill)
            channel = uint8_t(std::uniform_int_distribution<int>(0, 255)(random));
        // Tolerances that leave room outside the window, so that the filter always finds a random area colour
        // outside it and every filled pixel changes; now and then one past 65535, which the filter wraps.
        const int tolerance = trial % 8 == 0 ? 0 : std::uniform_int_distribution<int>(1, 60)(random);
        settings.tolerance = trial % 5 == 4 ? 65536 + tolerance : tolerance;
        settings.randomColors = true; // no small-area options: every area takes a colour of its own

        const std::array<uint8_t, 4> centre = FillInImageEncoding(mode, settings.fill);
        HostImage image = RandomImage(random, mode, centre, tolerance);
        const HostImage before = image;
        const std::array<uint16_t, 3> fill16 = {uint16_t(settings.fill[0] * 257), uint16_t(settings.fill[1] * 257),
                                                uint16_t(settings.fill[2] * 257)};
        const FillWindow window = fillWindowFor(before, fill16, settings.tolerance);
        const PixelPlane<uint8_t> mask = windowMask(before, window);
        ASSERT_EQ(windowMask(before, window, 2), mask) << mode.name << " trial " << trial << ": two threads differ";

        ASSERT_EQ(RunModule(image, settings), 0) << mode.name << " trial " << trial;
        int mismatches = 0;
        size_t inWindow = 0;
        for (int32_t y = 0; y < kHeight; ++y)
            for (int32_t x = 0; x < kWidth; ++x) {
                const size_t i = size_t(y) * size_t(kWidth) + size_t(x);
                const bool changed =
                    !std::equal(image.pixel(x, y), image.pixel(x, y) + image.colorPlanes, before.pixel(x, y));
                inWindow += mask[i];
                if (changed != (mask[i] == 1) && ++mismatches <= 3)
                    ADD_FAILURE() << mode.name << " trial " << trial << ", fill " << int(settings.fill[0]) << ' '
                                  << int(settings.fill[1]) << ' ' << int(settings.fill[2]) << ", tolerance "
                                  << settings.tolerance << ": " << Describe(before, x, y, window)
                                  << (changed ? " changed, outside the window" : " kept, inside the window");
            }
        EXPECT_EQ(mismatches, 0) << mode.name << " trial " << trial;
        if (inWindow > 0 && inWindow < mask.size())
            ++mixedTrials;
    }
    // The images are drawn near the window: most trials must have pixels both in it and out of it, or the
    // comparison says little.
    EXPECT_GE(mixedTrials, kTrialsPerMode * 3 / 4) << mode.name;
}

INSTANTIATE_TEST_SUITE_P(Modes, FillWindowProperty, ::testing::ValuesIn(kModes),
                         [](const ::testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace vendrel::test
