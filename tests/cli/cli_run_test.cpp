// vendrel run, end to end through the built command: images in, filled images out.
#include <set>

#include "cli_fixture.h"
#include "cli_tiff_strips.h"

namespace vendrel::test {
namespace {

bool isWhite(const uint8_t* p, int planes, int tolerance)
{
    for (int c = 0; c < planes; ++c) {
        if (p[c] < 255 - tolerance) {
            return false;
        }
    }
    return true;
}

std::vector<uint8_t> colorOf(const HostImage& image, int32_t x, int32_t y)
{
    const uint8_t* p = image.pixel(x, y);
    return std::vector<uint8_t>(p, p + image.colorPlanes);
}

// Every white area of the input holds one colour in the output, not white and not dark; every other pixel is
// unchanged. Answers the number of distinct area colours.
size_t checkFilledAreas(const HostImage& input, const HostImage& output, int tolerance)
{
    int areaCount = 0;
    std::vector<int> labels = labelAreas(
        input, [&](const uint8_t* p) { return isWhite(p, input.colorPlanes, tolerance); }, areaCount);
    EXPECT_EQ(areaCount, 6) << "the drawing has six white areas";
    std::vector<std::vector<uint8_t>> areaColor(static_cast<size_t>(areaCount));
    for (int32_t y = 0; y < input.height; ++y) {
        for (int32_t x = 0; x < input.width; ++x) {
            int label = labels[size_t(y) * size_t(input.width) + size_t(x)];
            std::vector<uint8_t> now = colorOf(output, x, y);
            if (label < 0) {
                EXPECT_EQ(now, colorOf(input, x, y)) << "line pixel (" << x << ", " << y << ") changed";
                continue;
            }
            if (areaColor[size_t(label)].empty()) {
                areaColor[size_t(label)] = now;
            }
            EXPECT_EQ(now, areaColor[size_t(label)])
                << "area " << label << " has two colours, at (" << x << ", " << y << ")";
        }
    }
    std::set<std::vector<uint8_t>> distinct;
    for (const auto& color : areaColor) {
        EXPECT_FALSE(isWhite(color.data(), int(color.size()), tolerance)) << "an area stayed in the fill colour";
        bool dark = true;
        for (uint8_t c : color) {
            dark = dark && c <= 90;
        }
        EXPECT_FALSE(dark) << "an area was painted dark";
        distinct.insert(color);
    }
    return distinct.size();
}

class RunTest : public CommandTest {};

TEST_F(RunTest, EveryWhiteAreaTakesOneColourOfThePaletteAndLinesStay)
{
    HostImage input = drawLineArt();
    saveImage(input, file("art.png"));
    CommandResult run = vendrel({"run", file("art.png"), "-o", file("flat.png"), "--tolerance", "10", "--palette",
                                 "Flatting 24.aco", "--presets", presetsFolder});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    HostImage output = loadImage(file("flat.png"));
    EXPECT_EQ(checkFilledAreas(input, output, 10), 6u) << "24 palette colours for six areas: all different";

    // The first area in scan order (the outer ring, seeded at the top left) takes the palette's first colour.
    EXPECT_EQ(colorOf(output, 0, 0), (std::vector<uint8_t>{0xF0, 0xA8, 0xA8}));
}

// The options the README shows its example with: the words between "after (`" and "`)", double quotes grouping.
std::vector<std::string> readmeExampleOptions()
{
    std::vector<uint8_t> bytes = readBytes(std::string(VENDREL_SOURCE_DIR) + "/README.md");
    std::string text(bytes.begin(), bytes.end());
    const std::string opening = "after (`";
    size_t begin = text.find(opening);
    size_t end = begin == std::string::npos ? begin : text.find("`)", begin);
    if (end == std::string::npos) {
        return {};
    }
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, any = false;
    for (char c : text.substr(begin + opening.size(), end - begin - opening.size()) + " ") {
        if (c == '"') {
            quoted = !quoted, any = true;
        } else if (c == ' ' && !quoted) {
            if (any) {
                words.push_back(word);
            }
            word.clear(), any = false;
        } else {
            word += c, any = true;
        }
    }
    return words;
}

TEST_F(RunTest, TheReadmeExampleGivesTheReadmePicture)
{
    std::vector<std::string> options = readmeExampleOptions();
    ASSERT_FALSE(options.empty()) << "the README shows no example options";
    std::vector<std::string> arguments = {"run",       std::string(VENDREL_SOURCE_DIR) + "/examples/lineart.png",
                                          "-o",        file("after.png"),
                                          "--presets", presetsFolder};
    arguments.insert(arguments.end(), options.begin(), options.end());
    CommandResult run = vendrel(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    HostImage made = loadImage(file("after.png"));
    HostImage shown = loadImage(std::string(VENDREL_SOURCE_DIR) + "/docs/lineart-after.png");
    EXPECT_EQ(made.width, shown.width);
    EXPECT_EQ(made.height, shown.height);
    EXPECT_EQ(made.planes, shown.planes);
    EXPECT_TRUE(made.pixels == shown.pixels) << "the command's result differs from docs/lineart-after.png";
}

TEST_F(RunTest, RandomColoursFillEveryAreaToo)
{
    HostImage input = drawLineArt();
    saveImage(input, file("art.png"));
    CommandResult run =
        vendrel({"run", file("art.png"), "-o", file("flat.tif"), "--tolerance", "10", "--randomcolors", "--quiet"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    checkFilledAreas(input, loadImage(file("flat.tif")), 10);
}

TEST_F(RunTest, AlphaIsLeftAsItWas)
{
    HostImage input = drawLineArt(plugInModeRGBColor, true);
    for (int32_t y = 0; y < input.height; ++y) {
        for (int32_t x = 0; x < input.width; ++x) {
            input.pixel(x, y)[3] = uint8_t(255 - (x * 3 + y) % 200);
        }
    }
    saveImage(input, file("art.png"));
    CommandResult run = vendrel({"run", file("art.png"), "-o", file("flat.png"), "--tolerance", "10", "--palette",
                                 "Pastels.aco", "--presets", presetsFolder});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    HostImage output = loadImage(file("flat.png"));
    ASSERT_TRUE(output.hasAlpha);
    ASSERT_EQ(output.pixels.size(), input.pixels.size());
    for (int32_t y = 0; y < input.height; ++y) {
        for (int32_t x = 0; x < input.width; ++x) {
            ASSERT_EQ(output.pixel(x, y)[3], input.pixel(x, y)[3]) << "alpha at (" << x << ", " << y << ")";
        }
    }
    checkFilledAreas(input, output, 10);
}

TEST_F(RunTest, CmykTiffIsFilledAndWrittenWithTheSameInkConvention)
{
    HostImage input = drawLineArt(plugInModeCMYKColor);
    saveImage(input, file("art.tif"));
    CommandResult run = vendrel({"run", file("art.tif"), "-o", file("flat.tif"), "--tolerance", "10", "--palette",
                                 "Flatting 24.aco", "--presets", presetsFolder});
    ASSERT_EQ(run.exitCode, 0) << run.err;

    RawTiff before = readRawTiff(file("art.tif"));
    RawTiff after = readRawTiff(file("flat.tif"));
    ASSERT_EQ(after.photometric, 5u) << "still CMYK";
    ASSERT_EQ(after.samples.size(), before.samples.size());
    // Paper carries no ink in the file; a black line carries black ink only.
    EXPECT_EQ(std::vector<uint8_t>(before.samples.begin(), before.samples.begin() + 4),
              (std::vector<uint8_t>{0, 0, 0, 0}));
    size_t lineAt = (size_t(2) * 60 + 2) * 4;
    EXPECT_EQ(std::vector<uint8_t>(after.samples.begin() + lineAt, after.samples.begin() + lineAt + 4),
              (std::vector<uint8_t>{0, 0, 0, 255}));
    // The filled paper now carries some coloured ink and no black ink.
    EXPECT_GT(after.samples[0] + after.samples[1] + after.samples[2], 0);
    EXPECT_EQ(after.samples[3], 0);

    HostImage output = loadImage(file("flat.tif"));
    EXPECT_EQ(output.mode, plugInModeCMYKColor);
    checkFilledAreas(input, output, 10);
}

TEST_F(RunTest, CmykTiffFromAnotherWriterComesOutSampleForSampleWhenNothingMatches)
{
    // Ink amounts of every value, in a big-endian file with strips of three rows. Every pixel carries at least
    // half magenta ink, so pure green is nowhere: the run changes nothing, and the file written must carry the
    // very ink amounts that were read.
    RawTiff before{16, 10, 5, 4, 1, {}};
    for (uint32_t i = 0; i < before.width * before.height * 4; ++i) {
        before.samples.push_back(i % 4 == 1 ? uint8_t(128 + i * 37 % 128) : uint8_t(i * 101 + 3));
    }
    writeBytes(file("inks.tif"), rawTiffBytes(before, true, 3));
    CommandResult run = vendrel({"run", file("inks.tif"), "-o", file("same.tif"), "--fillcolor", "00FF00"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("not found"), std::string::npos) << run.err;
    RawTiff after = readRawTiff(file("same.tif"));
    EXPECT_EQ(after.photometric, 5u);
    EXPECT_EQ(after.width, before.width);
    EXPECT_TRUE(after.samples == before.samples);
}

TEST_F(RunTest, NothingFoundIsReportedButIsNoFailure)
{
    HostImage input = drawLineArt();
    saveImage(input, file("art.png"));
    CommandResult run = vendrel({"run", file("art.png"), "-o", file("same.png"), "--fillcolor", "#00FF00"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(
        run.err.find("The color to fill was not found in the image!\nCheck the color in the Vendreled Color swatch.\n"),
        std::string::npos)
        << run.err;
    EXPECT_EQ(loadImage(file("same.png")).pixels, input.pixels);
}

TEST_F(RunTest, ARecordedActionReplaysToTheSamePixels)
{
    saveImage(drawLineArt(), file("art.png"));
    CommandResult recorded =
        vendrel({"run", file("art.png"), "-o", file("first.png"), "--tolerance", "12", "--palette", "Pastels.aco",
                 "--flagareas", "--flagsize", "2", "--flagcolor", "FF00FF", "--record", file("action.json")});
    ASSERT_EQ(recorded.exitCode, 0) << recorded.err;
    ASSERT_TRUE(fileExists(file("action.json")));
    std::vector<uint8_t> action = readBytes(file("action.json"));
    std::string text(action.begin(), action.end());
    EXPECT_NE(text.find("\"tolerance\": 12"), std::string::npos) << text;
    EXPECT_NE(text.find("Pastels.aco"), std::string::npos) << text;

    CommandResult replayed =
        vendrel({"run", file("art.png"), "-o", file("second.png"), "--action", file("action.json")});
    ASSERT_EQ(replayed.exitCode, 0) << replayed.err;
    HostImage first = loadImage(file("first.png"));
    EXPECT_EQ(loadImage(file("second.png")).pixels, first.pixels);
    // The speck (one pixel, smaller than the flag size) took the flag colour.
    EXPECT_EQ(colorOf(first, 10, 10), (std::vector<uint8_t>{255, 0, 255}));

    // An option given with the action wins over the action's value.
    CommandResult changed = vendrel(
        {"run", file("art.png"), "-o", file("third.png"), "--action", file("action.json"), "--flagareas=false"});
    ASSERT_EQ(changed.exitCode, 0) << changed.err;
    EXPECT_NE(colorOf(loadImage(file("third.png")), 10, 10), (std::vector<uint8_t>{255, 0, 255}));
}

TEST_F(RunTest, AnInterruptedRunWritesNothing)
{
    saveImage(drawLineArt(), file("art.png"));
    writeBytes(file("flat.png"), {'k', 'e', 'e', 'p'});
    CommandResult run = vendrel({"run", file("art.png"), "-o", file("flat.png"), "--tolerance", "10"},
                                {{"VENDREL_TEST_INTERRUPT_AT_ROW", "3"}});
    EXPECT_EQ(run.exitCode, 130) << run.err;
    EXPECT_NE(run.err.find("cancelled"), std::string::npos) << run.err;
    EXPECT_EQ(readBytes(file("flat.png")), (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(work.entries(), (std::vector<std::string>{"art.png", "flat.png"}));
}

TEST_F(RunTest, APaletteFileOutsideThePresetsFillsLikeTheSameFileInside)
{
    saveImage(drawLineArt(), file("art.png"));
    std::filesystem::copy_file(presetsFolder + "/Color Swatches/Pastels.aco", file("mine.aco"));
    CommandResult byPath =
        vendrel({"run", file("art.png"), "-o", file("a.png"), "--tolerance", "10", "--palette", file("mine.aco")});
    ASSERT_EQ(byPath.exitCode, 0) << byPath.err;
    CommandResult byName = vendrel({"run", file("art.png"), "-o", file("b.png"), "--tolerance", "10", "--palette",
                                    "Pastels", "--presets", presetsFolder});
    ASSERT_EQ(byName.exitCode, 0) << byName.err;
    HostImage a = loadImage(file("a.png"));
    EXPECT_EQ(a.pixels, loadImage(file("b.png")).pixels);
    EXPECT_EQ(colorOf(a, 0, 0), (std::vector<uint8_t>{0xEF, 0xC2, 0xBE})) << "the palette's first colour";
}

TEST_F(RunTest, TheDialogRunStartsFromTheLastConfirmedSettings)
{
    saveImage(drawLineArt(), file("art.png"));
    CommandResult confirmed = vendrel({"run", file("art.png"), "-o", file("a.png"), "--dialog", "--tolerance", "10",
                                       "--palette", "Pastels.aco", "--presets", presetsFolder});
    ASSERT_EQ(confirmed.exitCode, 0) << confirmed.err;
    CommandResult again =
        vendrel({"run", file("art.png"), "-o", file("b.png"), "--dialog", "--presets", presetsFolder});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    HostImage a = loadImage(file("a.png"));
    EXPECT_EQ(loadImage(file("b.png")).pixels, a.pixels);
    EXPECT_EQ(colorOf(a, 0, 0), (std::vector<uint8_t>{0xEF, 0xC2, 0xBE}));

    // Without the dialog the run plays the options alone over the defaults (tolerance 0, no palette).
    CommandResult played = vendrel({"run", file("art.png"), "-o", file("c.png"), "--presets", presetsFolder});
    ASSERT_EQ(played.exitCode, 0) << played.err;
    EXPECT_NE(loadImage(file("c.png")).pixels, a.pixels);
}

} // namespace
} // namespace vendrel::test
