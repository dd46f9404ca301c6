// The flatting stages of vendrel run, end to end through the built command: --flats, --close-gaps and
// --paper transparent.
#include <zip.h>

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
        std::vector<std::string> arguments = {
            "run",       file("in.png"),    "-o",        file("out.png"), "--tolerance", "0",
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

// A square outline three pixels thick with a gap in its top side, on white.
HostImage squareWithGap(int32_t gap)
{
    HostImage image = whitePage(60, 60);
    for (int32_t i = 10; i < 50; ++i) {
        for (int32_t t = 0; t < 3; ++t) {
            const bool inGap = i >= 30 - gap / 2 && i < 30 - gap / 2 + gap;
            if (!inGap) {
                ink(image, i, 10 + t);
            }
            ink(image, i, 47 + t), ink(image, 10 + t, i), ink(image, 47 + t, i);
        }
    }
    return image;
}

// With --close-gaps 6 a gap of 5 pixels is closed (the inside is an area of its own) and one of 7 is not; either
// way the gap's pixels take the colours of the areas beside them, never the closing stroke's.
TEST_F(FlattingTest, CloseGapsClosesAGapUpToItsWidthAndLeavesTheLinesAsTheyWere)
{
    for (const auto& [gap, closed] : {std::pair{5, true}, std::pair{7, false}}) {
        SCOPED_TRACE("gap " + std::to_string(gap));
        const HostImage input = squareWithGap(gap);
        const HostImage output = run(input, {"--close-gaps", "6"});
        const std::vector<uint8_t> outside = colourAt(output, 0, 0), inside = colourAt(output, 30, 30);
        EXPECT_EQ(inside != outside, closed);
        for (int32_t y = 0; y < input.height; ++y) {
            for (int32_t x = 0; x < input.width; ++x) {
                const std::vector<uint8_t> now = colourAt(output, x, y);
                if (colourAt(input, x, y)[0] == 0) {
                    EXPECT_EQ(now, colourAt(input, x, y)) << "line pixel (" << x << ", " << y << ")";
                } else {
                    EXPECT_TRUE(now == outside || now == inside) << "(" << x << ", " << y << ")";
                }
            }
        }
    }
}

// The entries of a zip file in their stored order, with their compression methods and contents, read with libzip.
struct ZipEntry {
    std::string name;
    int32_t method = -1;
    std::vector<uint8_t> bytes;
};

std::vector<ZipEntry> readZip(const std::string& path)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    EXPECT_NE(archive, nullptr) << "libzip error " << error;
    std::vector<ZipEntry> entries;
    for (zip_int64_t i = 0; archive != nullptr && i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, zip_uint64_t(i), 0, &stat);
        ZipEntry entry{stat.name, int32_t(stat.comp_method), std::vector<uint8_t>(stat.size)};
        zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        EXPECT_EQ(zip_fread(file, entry.bytes.data(), entry.bytes.size()), zip_int64_t(stat.size));
        zip_fclose(file);
        entries.push_back(std::move(entry));
    }
    if (archive != nullptr) {
        zip_close(archive);
    }
    return entries;
}

// With --dialog the stages use the settings the dialog confirms, which the dialog stores for the next run: the
// result is the run without the dialog with those settings, and a later dialog run starts from them.
TEST_F(FlattingTest, DialogRunsFlattenWithTheConfirmedSettings)
{
    // A thick black line with a light grey speck inside it, which is an area of its own from tolerance 25 on.
    HostImage input = whitePage(40, 12);
    for (int32_t y = 0; y < input.height; ++y) {
        for (int32_t x = 17; x <= 23; ++x) {
            ink(input, x, y, x == 20 && y >= 4 && y <= 7 ? 230 : 0);
        }
    }
    saveImage(input, file("in.png"));
    auto flatten = [&](const char* output, std::vector<std::string> extra) {
        std::vector<std::string> arguments = {"run",       file("in.png"), "-o",        file(output), "--flats",
                                              "--palette", "Pastels.aco",  "--presets", presetsFolder};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        CommandResult result = vendrel(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return loadImage(file(output)).pixels;
    };
    const std::vector<uint8_t> played = flatten("played.png", {"--tolerance", "30"});
    EXPECT_NE(flatten("strict.png", {"--tolerance", "0"}), played) << "the tolerance made no difference";
    EXPECT_EQ(flatten("confirmed.png", {"--dialog", "--tolerance", "30"}), played);
    EXPECT_EQ(flatten("again.png", {"--dialog"}), played) << "the dialog did not start from the confirmed settings";
}

TEST_F(FlattingTest, OraHoldsTheFlatsUnderTheLineArtWithMergedImageAndThumbnail)
{
    const HostImage input = squareWithGap(0);
    saveImage(input, file("in.png"));
    CommandResult result = vendrel({"run", file("in.png"), "-o", file("out.ora"), "--palette", "Flatting 24.aco",
                                    "--presets", presetsFolder, "--flats"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<ZipEntry> entries = readZip(file("out.ora"));
    std::vector<std::string> names;
    for (const ZipEntry& entry : entries) {
        names.push_back(entry.name);
    }
    ASSERT_EQ(names, (std::vector<std::string>{"mimetype", "stack.xml", "data/lineart.png", "data/flats.png",
                                               "mergedimage.png", "Thumbnails/thumbnail.png"}));
    EXPECT_EQ(entries[0].method, ZIP_CM_STORE);
    EXPECT_EQ(std::string(entries[0].bytes.begin(), entries[0].bytes.end()), "image/openraster");
    const std::vector<uint8_t> file0 = readBytes(file("out.ora"));
    EXPECT_EQ(std::string(file0.begin() + 30, file0.begin() + 54), "mimetypeimage/openraster")
        << "mimetype is the first entry, with no extra field, so that its text sits at offset 38";

    const std::string stack(entries[1].bytes.begin(), entries[1].bytes.end());
    const size_t lineArt = stack.find("name=\"Line art\""), flats = stack.find("name=\"Flats\"");
    ASSERT_NE(lineArt, std::string::npos);
    ASSERT_NE(flats, std::string::npos);
    EXPECT_LT(lineArt, flats) << "the first layer of the stack is the top one";
    EXPECT_NE(stack.find("src=\"data/lineart.png\" composite-op=\"svg:multiply\""), std::string::npos);

    auto image = [&](size_t at) {
        writeBytes(file("entry.png"), entries[at].bytes);
        return loadImage(file("entry.png"));
    };
    const HostImage layerLines = image(2), layerFlats = image(3), merged = image(4), thumbnail = image(5);
    EXPECT_EQ(layerLines.pixels, input.pixels);
    EXPECT_EQ(merged.width, 60);
    EXPECT_EQ(thumbnail.width, 60) << "no larger than the image";
    for (size_t i = 0; i < merged.pixels.size(); ++i) {
        ASSERT_EQ(merged.pixels[i], (layerFlats.pixels[i] * input.pixels[i] + 127) / 255) << "byte " << i;
    }
    EXPECT_EQ(colourAt(layerFlats, 12, 30), colourAt(layerFlats, 30, 30))
        << "flats: the line took the colours beside it";
}

// The ORA keeps the input's resolution as OpenRaster readers read it, xres and yres in pixels per inch, so that a
// 300-dpi scan opens at 300 dpi.
TEST_F(FlattingTest, OraCarriesTheResolution)
{
    const struct {
        double xDpi, yDpi;
        const char* attributes;
    } cases[] = {{300, 300, "xres=\"300\" yres=\"300\""}, {150, 600, "xres=\"150\" yres=\"600\""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xDpi);
        HostImage input = squareWithGap(5);
        input.xResolution = c.xDpi / 25.4, input.yResolution = c.yDpi / 25.4;
        saveImage(input, file("scan.png"));
        const CommandResult result = vendrel({"run", file("scan.png"), "-o", file("scan.ora"), "--flats"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::vector<ZipEntry> entries = readZip(file("scan.ora"));
        ASSERT_GE(entries.size(), 2u);
        const std::string stack(entries[1].bytes.begin(), entries[1].bytes.end());
        const std::string image = stack.substr(stack.find("<image "), stack.find('>', stack.find("<image ")));
        EXPECT_NE(image.find(c.attributes), std::string::npos) << image;
    }
}

// Two drawings and a broken file in one batch, two at a time, with random colours (which the filter draws from a
// per-process sequence): each written file is byte for byte the file of a single run, the broken input fails
// alone, and the exit status is the failure's.
TEST_F(FlattingTest, BatchWritesTheFilesOfSingleRunsAndFailsOnlyTheBrokenInput)
{
    saveImage(squareWithGap(5), file("square.png"));
    saveImage(drawLineArt(), file("art.png"));
    writeBytes(file("broken.png"), {'n', 'o', 't'});
    const std::vector<std::string> settings = {"--tolerance", "10", "--flats", "--close-gaps", "6"};
    std::vector<std::string> batch = {"run",
                                      file("square.png"),
                                      file("broken.png"),
                                      file("art.png"),
                                      "--output-dir",
                                      file("out"),
                                      "--format",
                                      "tif",
                                      "-j",
                                      "2"};
    batch.insert(batch.end(), settings.begin(), settings.end());
    const CommandResult result = vendrel(batch);
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.err.find("broken.png"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("3 inputs: 2 written"), std::string::npos) << result.err;
    for (const std::string name : {"square", "art"}) {
        std::vector<std::string> single = {"run", file(name + ".png"), "-o", file(name + ".tif")};
        single.insert(single.end(), settings.begin(), settings.end());
        ASSERT_EQ(vendrel(single).exitCode, 0);
        const std::vector<uint8_t> alone = readBytes(file(name + ".tif"));
        ASSERT_FALSE(alone.empty());
        EXPECT_EQ(readBytes(file("out/" + name + ".tif")), alone) << name;
    }
}

// Line art drawn on a transparent background, as drawing programs export it: a frame and a cross of opaque black
// lines, with half-transparent black beside them, on pixels that are black and fully transparent.
HostImage transparentLineArt()
{
    HostImage image = HostImage::blank(60, 40, plugInModeRGBColor, true);
    std::fill(image.pixels.begin(), image.pixels.end(), 0);
    auto line = [&](int32_t x, int32_t y, uint8_t alpha) { image.pixel(x, y)[3] = alpha; };
    for (int32_t x = 2; x < 58; ++x) {
        line(x, 2, 255), line(x, 37, 255), line(x, 20, 255), line(x, 21, 128);
    }
    for (int32_t y = 2; y < 38; ++y) {
        line(2, y, 255), line(57, y, 255), line(30, y, 255), line(31, y, 128);
    }
    return image;
}

// The image over an opaque colour, worked out here: what the filter must see with --paper transparent.
HostImage onColour(const HostImage& image, uint8_t paper)
{
    HostImage opaque = HostImage::blank(image.width, image.height);
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            const uint8_t* p = image.pixel(x, y);
            for (int32_t c = 0; c < 3; ++c) {
                opaque.pixel(x, y)[c] = uint8_t((p[c] * p[3] + paper * (255 - p[3]) + 127) / 255);
            }
        }
    }
    return opaque;
}

// With --paper transparent the transparent pixels are paper: the result is the one the same settings give on the
// image put on the fill colour, it is opaque, and an ORA keeps the line art as it was, alpha included, laid over
// the flats as it is. Without it the filter finds no paper at all.
TEST_F(FlattingTest, TransparentPaperIsPutOnTheFillColourAndTheResultIsOpaque)
{
    const HostImage input = transparentLineArt();
    saveImage(input, file("in.png"));
    const std::vector<std::string> common = {"--palette", "Flatting 24.aco", "--presets", presetsFolder};
    struct Case {
        std::vector<std::string> settings;
        uint8_t paper;
    };
    for (const Case& c : {Case{{"--tolerance", "0"}, 255}, Case{{"--fillcolor", "E6E6E6", "--tolerance", "10"}, 0xE6},
                          Case{{"--tolerance", "0", "--flats"}, 255}}) {
        SCOPED_TRACE(c.settings.back());
        std::vector<std::string> settings = common;
        settings.insert(settings.end(), c.settings.begin(), c.settings.end());
        auto runOn = [&](const std::string& in, const std::string& out, std::vector<std::string> extra) {
            std::vector<std::string> arguments = {"run", file(in), "-o", file(out)};
            arguments.insert(arguments.end(), settings.begin(), settings.end());
            arguments.insert(arguments.end(), extra.begin(), extra.end());
            const CommandResult result = vendrel(arguments);
            EXPECT_EQ(result.exitCode, 0) << result.err;
            return result;
        };
        saveImage(onColour(input, c.paper), file("opaque.png"));
        runOn("opaque.png", "expected.png", {});
        runOn("in.png", "paper.png", {"--paper", "transparent"});
        const HostImage expected = loadImage(file("expected.png")), paper = loadImage(file("paper.png"));
        EXPECT_FALSE(paper.hasAlpha);
        EXPECT_EQ(paper.pixels, expected.pixels);
        EXPECT_NE(runOn("in.png", "as-is.png", {}).err.find("not found"), std::string::npos);

        runOn("in.png", "layers.ora", {"--paper", "transparent"});
        const std::vector<ZipEntry> entries = readZip(file("layers.ora"));
        ASSERT_EQ(entries.size(), 6u);
        const std::string stack(entries[1].bytes.begin(), entries[1].bytes.end());
        EXPECT_NE(stack.find("src=\"data/lineart.png\" composite-op=\"svg:src-over\""), std::string::npos) << stack;
        writeBytes(file("lineart.png"), entries[2].bytes);
        writeBytes(file("flats.png"), entries[3].bytes);
        const HostImage lineArt = loadImage(file("lineart.png"));
        EXPECT_TRUE(lineArt.hasAlpha);
        EXPECT_EQ(lineArt.pixels, input.pixels);
        EXPECT_EQ(loadImage(file("flats.png")).pixels, expected.pixels);
        writeBytes(file("merged.png"), entries[4].bytes);
        const HostImage merged = loadImage(file("merged.png"));
        for (int32_t y = 0; y < input.height; ++y) {
            for (int32_t x = 0; x < input.width; ++x) {
                const uint8_t alpha = input.pixel(x, y)[3];
                if (alpha == 0 || alpha == 255) {
                    ASSERT_EQ(colourAt(merged, x, y), colourAt(alpha == 0 ? expected : input, x, y))
                        << "the merged image at (" << x << ", " << y << ")";
                }
            }
        }
    }
}

} // namespace
} // namespace vendrel::test
