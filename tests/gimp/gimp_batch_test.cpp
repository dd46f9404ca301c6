// plug-in-vendrel in a real GIMP, in batch mode: the same pixels as `vendrel run` with the same settings, for
// RGB and RGBA images, with the last confirmed settings, inside a selection only, and with one of the user's
// GIMP palettes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_command.h"
#include "gimp_session.h"
#include "vendrel/host/ImageFile.h"

namespace vendrel::test {

namespace {

// Line art: black grid lines closing cells of 22 x 16 pixels, a few 3 x 3 specks, near-white pixels within
// a small tolerance of white, and (with alpha) a transparency that varies from pixel to pixel but is never 0,
// so that GIMP keeps every colour.
HostImage lineArt(bool alpha)
{
    HostImage image = HostImage::blank(120, 90, plugInModeRGBColor, alpha);
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            uint8_t* p = image.pixel(x, y);
            const bool line = x % 23 == 0 || y % 17 == 0;
            const bool speck = (x % 23 >= 5 && x % 23 <= 9 && y % 17 >= 5 && y % 17 <= 9) && (x / 23 + y / 17) % 3 == 0;
            const bool speckInside = speck && x % 23 >= 6 && x % 23 <= 8 && y % 17 >= 6 && y % 17 <= 8;
            uint8_t value = (line || (speck && !speckInside)) ? 0 : 255;
            p[0] = p[1] = p[2] = value;
            if (value == 255 && (x * y) % 13 == 0) {
                p[0] = 250, p[1] = 252, p[2] = 249;
            }
            if (alpha) {
                p[3] = uint8_t(1 + (x * 3 + y * 5) % 255);
            }
        }
    }
    return image;
}

// Two boxes side by side, each outline broken by a gap of 2 pixels, with anti-aliased grey edges along the lines:
// closing the gaps gives each box an area of its own, and flats leave no line pixel unfilled.
HostImage gappedLineArt()
{
    HostImage image = HostImage::blank(80, 40, plugInModeRGBColor, false);
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            const bool outline = ((x == 5 || x == 35 || x == 45 || x == 75) && y >= 5 && y <= 35) ||
                                 ((y == 5 || y == 35) && ((x >= 5 && x <= 35) || (x >= 45 && x <= 75)));
            const bool gap = y == 35 && (x == 20 || x == 21 || x == 60 || x == 61);
            const bool edge = (x == 6 || x == 34) && y > 5 && y < 35;
            uint8_t value = outline && !gap ? 0 : edge ? 128 : 255;
            uint8_t* p = image.pixel(x, y);
            p[0] = p[1] = p[2] = value;
        }
    }
    return image;
}

struct Settings {
    std::string flagColor, fillColor, palette;
    int tolerance;
    bool random, measureArea, flagAreas, joinAreas;
    int flagSize, joinSize;

    std::vector<std::string> options() const
    {
        auto flag = [](bool on) { return std::string(on ? "=true" : "=false"); };
        return {"--flagcolor",
                flagColor,
                "--fillcolor",
                fillColor,
                "--palette",
                palette,
                "--tolerance",
                std::to_string(tolerance),
                "--randomcolors" + flag(random),
                "--measurearea" + flag(measureArea),
                "--flagareas" + flag(flagAreas),
                "--joinareas" + flag(joinAreas),
                "--flagsize",
                std::to_string(flagSize),
                "--joinsize",
                std::to_string(joinSize)};
    }
    // The script-fu arguments after run-mode, image and drawable.
    std::string scriptArguments() const
    {
        auto color = [](const std::string& hex) {
            return "'(" + std::to_string(std::stoi(hex.substr(0, 2), nullptr, 16)) + " " +
                   std::to_string(std::stoi(hex.substr(2, 2), nullptr, 16)) + " " +
                   std::to_string(std::stoi(hex.substr(4, 2), nullptr, 16)) + ")";
        };
        return color(flagColor) + " " + color(fillColor) + " \"" + palette + "\" " + std::to_string(tolerance) + " " +
               std::to_string(random) + " " + std::to_string(measureArea) + " " + std::to_string(flagAreas) + " " +
               std::to_string(joinAreas) + " " + std::to_string(flagSize) + " " + std::to_string(joinSize);
    }
};

const Settings kPalette{"FF00FF", "FFFFFF", "Flatting 24.aco", 10, false, false, false, false, 20, 10};
const Settings kSmallAreas{"00C000", "FFFFFF", "Pastels.aco", 12, false, true, true, true, 9, 6};
const Settings kConfirmed{"0000FF", "FDFDFD", "Pastels.aco", 9, false, false, true, false, 10, 10};
const Settings kAbsentColor{"FF00FF", "123456", "Pastels.aco", 0, false, false, false, false, 20, 10};
const Settings kGappedLines{"FF00FF", "FFFFFF", "Pastels.aco", 0, false, false, false, false, 20, 10};
const Settings kGimpPalette{"FF00FF", "FFFFFF", "Test Inks.aco", 10, false, false, false, false, 20, 10};
// Integers outside their settings' ranges, which the filter would quietly read as other values (a tolerance of
// 65536 as 0, -1 as 65535, a size of -1 as the largest): each call must be refused.
const struct {
    const char* marker;
    Settings settings;
} kOutOfRange[] = {
    {"refused-tolerance-65536", {"FF00FF", "FFFFFF", "Flatting 24.aco", 65536, false, false, false, false, 20, 10}},
    {"refused-tolerance-minus-1", {"FF00FF", "FFFFFF", "Flatting 24.aco", -1, false, false, false, false, 20, 10}},
    {"refused-joinsize-minus-1", {"FF00FF", "FFFFFF", "Flatting 24.aco", 10, false, false, false, true, 20, -1}},
};

// The GIMP palette the script makes, and the same colours as the swatch file the command is given: version 1,
// RGB, each 8-bit channel v as the 16-bit big-endian v * 257.
const uint8_t kInks[][3] = {{200, 30, 30}, {30, 160, 60}, {40, 40, 220}, {250, 200, 0}};

std::string gimpPaletteScript()
{
    std::string script = "(gimp-palette-new \"Test Inks\")\n";
    for (const auto& ink : kInks) {
        script += "(gimp-palette-add-entry \"Test Inks\" \"ink\" '(" + std::to_string(ink[0]) + " " +
                  std::to_string(ink[1]) + " " + std::to_string(ink[2]) + "))\n";
    }
    return script;
}

std::vector<uint8_t> inksSwatchFile()
{
    std::vector<uint8_t> bytes = {0, 1, 0, uint8_t(std::size(kInks))};
    for (const auto& ink : kInks) {
        bytes.insert(bytes.end(), {0, 0});
        for (uint8_t v : ink) {
            bytes.push_back(v);
            bytes.push_back(v);
        }
        bytes.insert(bytes.end(), {0, 0});
    }
    return bytes;
}

// One GIMP step: load a file, optionally select a rectangle, run the filter with the run mode and settings
// given, save.
// (procedure: plug-in-vendrel, or plug-in-vendrel-flatting with its two values in extra.)
// The flatting procedure leaves the line art as it was and adds the flats as a layer under it: the step then
// saves that layer to out and the line art to out-lineart.png, and prints "layers OUT: COUNT, TOP over BOTTOM,
// MODE" (the line art's mode, multiply or other).
std::string gimpStep(const std::string& in, const std::string& out, const std::string& mode, const Settings& settings,
                     const std::string& before = "", const std::string& procedure = "plug-in-vendrel",
                     const std::string& extra = "")
{
    std::string step = "(let* ((img (car (gimp-file-load RUN-NONINTERACTIVE \"" + in + "\" \"" + in +
                       "\"))) (drw (car (gimp-image-get-active-drawable img))))\n  " + before + "\n  (" + procedure +
                       " " + mode + " img drw " + settings.scriptArguments() + extra + ")\n";
    if (procedure == "plug-in-vendrel") {
        return step + "  (gimp-file-save RUN-NONINTERACTIVE img drw \"" + out + "\" \"" + out + "\"))\n";
    }
    const std::string lineArt = out + "-lineart.png";
    return step +
           "  (let* ((layers (gimp-image-get-layers img)) (count (car layers)) (flats (vector-ref (cadr layers) "
           "(- count 1))))\n"
           "    (gimp-message (string-append \"layers " +
           out +
           ": \" (number->string count) \", \" (car (gimp-item-get-name (vector-ref (cadr layers) 0))) \" over \" "
           "(car (gimp-item-get-name flats)) \", \" (if (= (car (gimp-layer-get-mode drw)) LAYER-MODE-MULTIPLY) "
           "\"multiply\" \"other\")))\n"
           "    (gimp-file-save RUN-NONINTERACTIVE img flats \"" +
           out + "\" \"" + out + "\")\n    (gimp-file-save RUN-NONINTERACTIVE img drw \"" + lineArt + "\" \"" +
           lineArt + "\")))\n";
}

// A call that must fail: script-fu's catch prints the marker when it does, and the image is saved either way.
std::string refusedStep(const std::string& in, const std::string& out, const std::string& marker,
                        const Settings& settings)
{
    return "(let* ((img (car (gimp-file-load RUN-NONINTERACTIVE \"" + in + "\" \"" + in +
           "\"))) (drw (car (gimp-image-get-active-drawable img))))\n  (catch (gimp-message \"" + marker +
           "\") (plug-in-vendrel RUN-NONINTERACTIVE img drw " + settings.scriptArguments() +
           "))\n  (gimp-file-save RUN-NONINTERACTIVE img drw \"" + out + "\" \"" + out + "\"))\n";
}

// A call on a grayscale layer, which must be refused with a message naming the fix; the marker is printed when it
// fails.
std::string greyStep(const std::string& in, const std::string& marker)
{
    return "(let* ((img (car (gimp-file-load RUN-NONINTERACTIVE \"" + in + "\" \"" + in +
           "\"))) (drw (car (gimp-image-get-active-drawable img))))\n  (catch (gimp-message \"" + marker +
           "\") (plug-in-vendrel-flatting RUN-NONINTERACTIVE img drw " + kPalette.scriptArguments() + " 0 1)))\n";
}

class GimpBatch : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        session_ = new GimpSession();
        ASSERT_TRUE(session_->installed()) << "the install script failed";
        saveImage(lineArt(false), session_->file("rgb.png"));
        saveImage(lineArt(true), session_->file("rgba.png"));
        saveImage(gappedLineArt(), session_->file("gapped.png"));
        HostImage grey = HostImage::blank(40, 30, plugInModeGrayScale);
        saveImage(grey, session_->file("grey.png"));
        // The command's results, and the confirmed settings (a run through the dialog confirmed with OK).
        cli("rgb.png", "cli-rgb-palette.png", kPalette.options());
        cli("rgba.png", "cli-rgba-small.png", kSmallAreas.options());
        std::vector<std::string> confirmed = kConfirmed.options();
        confirmed.push_back("--dialog");
        cli("rgba.png", "cli-rgba-confirmed.png", confirmed);
        writeBytes(session_->file("Test Inks.aco"), inksSwatchFile());
        std::vector<std::string> inks = kGimpPalette.options();
        inks[5] = session_->file("Test Inks.aco");
        cli("rgb.png", "cli-rgb-inks.png", inks);
        std::vector<std::string> flatting = kGappedLines.options();
        flatting.insert(flatting.end(), {"--close-gaps", "3", "--flats"});
        cli("gapped.png", "cli-gapped-flatting.png", flatting);
        std::vector<std::string> confirmedFlats = kConfirmed.options();
        confirmedFlats.push_back("--flats");
        cli("rgba.png", "cli-rgba-confirmed-flats.png", confirmedFlats);

        auto path = [](const char* name) { return session_->file(name); };
        std::string refused;
        for (const auto& call : kOutOfRange) {
            refused += refusedStep(path("rgb.png"), session_->file(std::string(call.marker) + ".png"), call.marker,
                                   call.settings);
        }
        const std::string script =
            gimpStep(path("rgb.png"), path("gimp-rgb-palette.png"), "RUN-NONINTERACTIVE", kPalette) +
            gimpStep(path("rgba.png"), path("gimp-rgba-small.png"), "RUN-NONINTERACTIVE", kSmallAreas) +
            // The settings passed are not used with the last values; script-fu still wants one of each.
            gimpStep(path("rgba.png"), path("gimp-rgba-last.png"), "RUN-WITH-LAST-VALS", kPalette) +
            gimpStep(path("rgb.png"), path("gimp-rgb-selection.png"), "RUN-NONINTERACTIVE", kPalette,
                     "(gimp-image-select-rectangle img CHANNEL-OP-REPLACE 30 20 50 40)") +
            gimpPaletteScript() +
            gimpStep(path("rgb.png"), path("gimp-rgb-inks.png"), "RUN-NONINTERACTIVE", kGimpPalette) +
            gimpStep(path("rgb.png"), path("gimp-rgb-absent.png"), "RUN-NONINTERACTIVE", kAbsentColor) +
            gimpStep(path("gapped.png"), path("gimp-gapped-flatting.png"), "RUN-NONINTERACTIVE", kGappedLines, "",
                     "plug-in-vendrel-flatting", " 3 1") +
            // The last flatting values of the session (no gap closing, flats) with the confirmed filter settings.
            gimpStep(path("rgb.png"), path("gimp-rgb-unused.png"), "RUN-NONINTERACTIVE", kPalette, "",
                     "plug-in-vendrel-flatting", " 0 1") +
            gimpStep(path("rgba.png"), path("gimp-rgba-last-flats.png"), "RUN-WITH-LAST-VALS", kPalette, "",
                     "plug-in-vendrel-flatting", " 9 0") +
            refused + greyStep(path("grey.png"), "refused-grey");
        gimpRan_ = session_->runScript(script);
    }
    static void TearDownTestSuite()
    {
        delete session_;
        session_ = nullptr;
    }

    static void cli(const char* in, const char* out, std::vector<std::string> options)
    {
        std::vector<std::string> arguments = {"run", session_->file(in), "-o", session_->file(out), "--quiet"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        CommandResult result = runVendrel(arguments, {{"XDG_CONFIG_HOME", session_->config()}});
        ASSERT_EQ(result.exitCode, 0) << result.err;
    }

    static HostImage load(const char* name) { return loadImage(session_->file(name)); }

    void SetUp() override { ASSERT_TRUE(gimpRan_) << session_->lastLog(); }

    static GimpSession* session_;
    static bool gimpRan_;
};

GimpSession* GimpBatch::session_ = nullptr;
bool GimpBatch::gimpRan_ = false;

void expectSamePixels(const HostImage& actual, const HostImage& expected)
{
    ASSERT_EQ(actual.width, expected.width);
    ASSERT_EQ(actual.height, expected.height);
    ASSERT_EQ(actual.planes, expected.planes);
    size_t differing = 0;
    for (size_t i = 0; i < actual.pixels.size(); ++i) {
        differing += actual.pixels[i] != expected.pixels[i];
    }
    EXPECT_EQ(differing, 0u) << "bytes differ";
}

TEST_F(GimpBatch, NonInteractiveRunsGiveTheCommandsPixels)
{
    const struct {
        const char* gimp;
        const char* cli;
    } cases[] = {{"gimp-rgb-palette.png", "cli-rgb-palette.png"},
                 {"gimp-rgba-small.png", "cli-rgba-small.png"},
                 {"gimp-rgb-inks.png", "cli-rgb-inks.png"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gimp);
        HostImage result = load(c.gimp);
        expectSamePixels(result, load(c.cli));
        EXPECT_NE(result.pixels, load(result.hasAlpha ? "rgba.png" : "rgb.png").pixels) << "the filter changed nothing";
    }
}

TEST_F(GimpBatch, GimpPalettesAreOfferedAsSwatchFiles)
{
    HostImage result = load("gimp-rgb-inks.png");
    for (const auto& ink : kInks) {
        bool found = false;
        for (size_t i = 0; i + 2 < result.pixels.size() && !found; i += 3) {
            found = std::equal(ink, ink + 3, &result.pixels[i]);
        }
        EXPECT_TRUE(found) << "no area took the ink " << int(ink[0]) << "," << int(ink[1]) << "," << int(ink[2]);
    }
}

TEST_F(GimpBatch, TheFiltersAlertIsAGimpMessage)
{
    // Without a display GIMP writes its messages to its output.
    EXPECT_NE(session_->lastLog().find("The color to fill was not found in the image!"), std::string::npos)
        << session_->lastLog();
    expectSamePixels(load("gimp-rgb-absent.png"), load("rgb.png"));
}

TEST_F(GimpBatch, AlphaIsLeftAsItWas)
{
    HostImage before = load("rgba.png"), after = load("gimp-rgba-small.png");
    ASSERT_TRUE(after.hasAlpha);
    for (size_t i = 3; i < before.pixels.size(); i += 4) {
        ASSERT_EQ(after.pixels[i], before.pixels[i]) << "alpha byte " << i / 4;
    }
}

TEST_F(GimpBatch, LastValuesReplayTheConfirmedSettings)
{
    expectSamePixels(load("gimp-rgba-last.png"), load("cli-rgba-confirmed.png"));
}

TEST_F(GimpBatch, FlattingGivesTheCommandsFlats)
{
    const struct {
        const char* gimp;
        const char* cli;
    } cases[] = {{"gimp-gapped-flatting.png", "cli-gapped-flatting.png"},
                 {"gimp-rgba-last-flats.png", "cli-rgba-confirmed-flats.png"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gimp);
        expectSamePixels(load(c.gimp), load(c.cli));
    }
    // Flats leave no pixel black: every line pixel took an area's colour.
    const HostImage flats = load("gimp-gapped-flatting.png");
    for (size_t i = 0; i < flats.pixels.size(); i += 3) {
        ASSERT_FALSE(flats.pixels[i] == 0 && flats.pixels[i + 1] == 0 && flats.pixels[i + 2] == 0) << "pixel " << i / 3;
    }
}

// The flatting procedure adds "Flats" under the line art, which it leaves as it was and sets to Multiply unless
// it has alpha.
TEST_F(GimpBatch, FlattingAddsAFlatsLayerUnderTheLineArt)
{
    const struct {
        const char* out;
        const char* in;
        const char* mode;
    } cases[] = {{"gimp-gapped-flatting.png", "gapped.png", "multiply"},
                 {"gimp-rgba-last-flats.png", "rgba.png", "other"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.out);
        // GIMP names the layer of a loaded PNG "Background".
        const std::string expected = "layers " + session_->file(c.out) + ": 2, Background over Flats, " + c.mode;
        EXPECT_NE(session_->lastLog().find(expected), std::string::npos) << session_->lastLog();
        expectSamePixels(load((std::string(c.out) + "-lineart.png").c_str()), load(c.in));
    }
}

TEST_F(GimpBatch, IntegersOutsideTheirRangesAreCallingErrors)
{
    for (const auto& call : kOutOfRange) {
        SCOPED_TRACE(call.marker);
        EXPECT_NE(session_->lastLog().find(call.marker), std::string::npos) << "the call was not refused";
        expectSamePixels(load((std::string(call.marker) + ".png").c_str()), load("rgb.png"));
    }
}

TEST_F(GimpBatch, AGreyLayerIsRefusedWithTheFix)
{
    const std::string log = session_->lastLog();
    EXPECT_NE(log.find("refused-grey"), std::string::npos) << "the call was not refused";
    EXPECT_NE(log.find("RGB layers only: choose Image > Mode > RGB"), std::string::npos) << log;
}

TEST_F(GimpBatch, SelectionMasksTheResult)
{
    HostImage result = load("gimp-rgb-selection.png"), filtered = load("cli-rgb-palette.png"), input = load("rgb.png");
    size_t insideChanged = 0;
    for (int32_t y = 0; y < result.height; ++y) {
        for (int32_t x = 0; x < result.width; ++x) {
            const bool inside = x >= 30 && x < 80 && y >= 20 && y < 60;
            const uint8_t* expected = inside ? filtered.pixel(x, y) : input.pixel(x, y);
            ASSERT_TRUE(std::equal(expected, expected + 3, result.pixel(x, y))) << x << "," << y;
            insideChanged += inside && !std::equal(expected, expected + 3, input.pixel(x, y));
        }
    }
    EXPECT_GT(insideChanged, 0u);
}

} // namespace

} // namespace vendrel::test
