// Images written by other tools: what the host reads from them, and what the command writes back.
#include "cli_fixture.h"
#include "cli_tiff_strips.h"
#include "corpus_files.h"
#include "vendrel/host/ImageFile.h"

namespace vendrel::test {
namespace {

using CorpusImageTest = CorpusTest<>;
using CorpusRunTest = CorpusTest<CommandTest>;

TEST_F(CorpusImageTest, CmykTiffBytesAreTheFileInksInverted)
{
    std::string path = corpusFile("images/geotiffjs_cmyk.tif");
    RawTiff raw = readRawTiff(path);
    ASSERT_EQ(raw.photometric, 5u);
    HostImage loaded = loadImage(path);
    EXPECT_EQ(loaded.mode, plugInModeCMYKColor);
    ASSERT_EQ(uint32_t(loaded.width), raw.width);
    ASSERT_EQ(uint32_t(loaded.height), raw.height);
    ASSERT_EQ(loaded.pixels.size(), raw.samples.size());
    size_t mismatches = 0;
    for (size_t i = 0; i < raw.samples.size(); ++i) {
        mismatches += loaded.pixels[i] != 255 - raw.samples[i];
    }
    EXPECT_EQ(mismatches, 0u);
}

TEST_F(CorpusImageTest, AdobeCmykJpegLoadsWithNoInkAs255)
{
    // The middle copy of the photo is printed with black ink alone: cyan, magenta and yellow carry no ink.
    HostImage loaded = loadImage(corpusFile("images/jpeg-js_cmyk-grey.jpg"));
    ASSERT_EQ(loaded.mode, plugInModeCMYKColor);
    ASSERT_EQ(loaded.width, 300);
    double sums[4] = {0, 0, 0, 0};
    int count = 0;
    for (int32_t y = 150; y < 240; ++y) {
        for (int32_t x = 30; x < 270; ++x) {
            for (int p = 0; p < 4; ++p) {
                sums[p] += loaded.pixel(x, y)[p];
            }
            ++count;
        }
    }
    for (int p = 0; p < 3; ++p) {
        EXPECT_GT(sums[p] / count, 245.0) << "plane " << p << " should carry no ink";
    }
    EXPECT_LT(sums[3] / count, 200.0) << "the black plane carries the picture";
}

TEST_F(CorpusImageTest, IndexedPngIsRefusedUnlessConverted)
{
    std::string path = corpusFile("images/byronsanchez_coloring_book_1_image_1_map_800.png");
    try {
        loadImage(path);
        FAIL() << "an indexed image was accepted";
    } catch (const UnsupportedImageError& e) {
        EXPECT_NE(e.description().find("Indexed"), std::string::npos) << e.description();
    }
    HostImage converted = loadImage(path, ImageLoadOptions{true});
    EXPECT_EQ(converted.mode, plugInModeRGBColor);
    EXPECT_EQ(converted.width, 800);
    EXPECT_EQ(converted.colorPlanes, 3);
    EXPECT_TRUE(converted.hasAlpha) << "the palette's transparent entry becomes an alpha channel";
}

TEST_F(CorpusRunTest, CmykTiffComesOutSampleForSampleWhenNothingMatches)
{
    std::string path = corpusFile("images/geotiffjs_cmyk.tif");
    // Pure green is nowhere in the mosaic: the run changes nothing, and the file written must carry the very
    // ink amounts that were read.
    CommandResult run = vendrel({"run", path, "-o", file("same.tif"), "--fillcolor", "00FF00"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("not found"), std::string::npos) << run.err;
    RawTiff before = readRawTiff(path);
    RawTiff after = readRawTiff(file("same.tif"));
    EXPECT_EQ(after.photometric, 5u);
    EXPECT_EQ(after.width, before.width);
    EXPECT_TRUE(after.samples == before.samples);
}

} // namespace
} // namespace vendrel::test
