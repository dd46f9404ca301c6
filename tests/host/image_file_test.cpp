// Image files: what the host reads into its images and writes back, through real files.
#include <gtest/gtest.h>

#include <png.h>
#include <vips/vips8>

#include <cstdio>
// jpeglib.h leaves its callers to include <cstdio> first.
#include <jpeglib.h>

#include "cli_test_files.h"
#include "cli_tiff_strips.h"
#include "vendrel/host/ImageFile.h"

namespace vendrel::test {
namespace {

const std::string rgbProfile = "/usr/share/color/icc/ghostscript/default_rgb.icc";

// A small image whose every byte differs from its neighbours', so that a swapped plane or row shows.
HostImage pattern(int32_t width, int32_t height, int16_t mode, bool alpha)
{
    HostImage image = HostImage::blank(width, height, mode, alpha);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        image.pixels[i] = uint8_t((i * 37 + 11) % 251);
    }
    return image;
}

// A 16-bit RGB PNG written straight with libvips: the host never writes such files itself.
void writeSixteenBitPng(const std::vector<uint16_t>& samples, int width, int height, const std::string& path)
{
    ASSERT_EQ(VIPS_INIT("image_file_test"), 0);
    vips::VImage image = vips::VImage::new_from_memory(const_cast<uint16_t*>(samples.data()), samples.size() * 2, width,
                                                       height, 3, VIPS_FORMAT_USHORT)
                             .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_RGB16));
    image.write_to_file(path.c_str());
}

// A CMYK JPEG written with libjpeg, which stores the samples as given and marks the file with Adobe's APP14
// segment.
void writeAdobeCmykJpeg(const std::vector<uint8_t>& samples, int width, int height, const std::string& path)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<uint8_t*>(&samples[size_t(info.next_scanline) * size_t(width) * 4]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

// An indexed PNG written with libpng: one palette index per pixel, the palette as RGBA entries.
void writeIndexedPng(const std::vector<uint8_t>& indices, int width, int height, const std::vector<uint8_t>& palette,
                     const std::string& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGBA_COLORMAP;
    image.colormap_entries = png_uint_32(palette.size() / 4);
    ASSERT_NE(png_image_write_to_file(&image, path.c_str(), 0, indices.data(), 0, palette.data()), 0) << image.message;
}

class ImageFileTest : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST_F(ImageFileTest, RgbPngComesBackByteForByte)
{
    HostImage original = pattern(7, 5, plugInModeRGBColor, false);
    saveImage(original, folder.file("rgb.png"));
    HostImage loaded = loadImage(folder.file("rgb.png"));
    EXPECT_EQ(loaded.mode, plugInModeRGBColor);
    EXPECT_EQ(loaded.width, 7);
    EXPECT_EQ(loaded.height, 5);
    EXPECT_EQ(loaded.planes, 3);
    EXPECT_EQ(loaded.colorPlanes, 3);
    EXPECT_FALSE(loaded.hasAlpha);
    EXPECT_EQ(loaded.pixels, original.pixels);
}

TEST_F(ImageFileTest, AlphaIsKeptAsTheLastPlaneAndNotShownAsColour)
{
    HostImage original = pattern(6, 4, plugInModeRGBColor, true);
    saveImage(original, folder.file("rgba.png"));
    HostImage loaded = loadImage(folder.file("rgba.png"));
    EXPECT_EQ(loaded.planes, 4);
    EXPECT_EQ(loaded.colorPlanes, 3);
    EXPECT_TRUE(loaded.hasAlpha);
    EXPECT_EQ(loaded.pixels, original.pixels);
}

TEST_F(ImageFileTest, RgbTiffAndLosslessFormatsRoundTrip)
{
    HostImage original = pattern(9, 3, plugInModeRGBColor, false);
    for (const char* name : {"rgb.tif", "rgb.tiff"}) {
        saveImage(original, folder.file(name));
        EXPECT_EQ(loadImage(folder.file(name)).pixels, original.pixels) << name;
    }
}

TEST_F(ImageFileTest, JpegRoundTripStaysClose)
{
    HostImage original = HostImage::blank(16, 16, plugInModeRGBColor, false);
    for (size_t i = 0; i < original.pixels.size(); i += 3) {
        original.pixels[i] = 200, original.pixels[i + 1] = 120, original.pixels[i + 2] = 40;
    }
    saveImage(original, folder.file("flat.jpg"));
    HostImage loaded = loadImage(folder.file("flat.jpg"));
    ASSERT_EQ(loaded.pixels.size(), original.pixels.size());
    for (size_t i = 0; i < loaded.pixels.size(); ++i) {
        EXPECT_NEAR(loaded.pixels[i], original.pixels[i], 4) << "byte " << i;
    }
}

TEST_F(ImageFileTest, CmykTiffStoresInkWhereTheHostSaysNoInkIs255)
{
    // Host bytes: cyan 255 (no ink), magenta 0 (full ink), yellow 200, black 55.
    HostImage original = HostImage::blank(3, 2, plugInModeCMYKColor, false);
    for (size_t i = 0; i < original.pixels.size(); i += 4) {
        original.pixels[i] = 255, original.pixels[i + 1] = 0, original.pixels[i + 2] = 200, original.pixels[i + 3] = 55;
    }
    saveImage(original, folder.file("cmyk.tif"));

    RawTiff raw = readRawTiff(folder.file("cmyk.tif"));
    ASSERT_EQ(raw.compression, 1u);
    EXPECT_EQ(raw.photometric, 5u); // separated: the samples are ink amounts, 0 = none
    ASSERT_EQ(raw.samplesPerPixel, 4u);
    ASSERT_EQ(raw.samples.size(), 3u * 2u * 4u);
    for (size_t i = 0; i < raw.samples.size(); i += 4) {
        EXPECT_EQ(raw.samples[i], 0);
        EXPECT_EQ(raw.samples[i + 1], 255);
        EXPECT_EQ(raw.samples[i + 2], 55);
        EXPECT_EQ(raw.samples[i + 3], 200);
    }

    HostImage loaded = loadImage(folder.file("cmyk.tif"));
    EXPECT_EQ(loaded.mode, plugInModeCMYKColor);
    EXPECT_EQ(loaded.colorPlanes, 4);
    EXPECT_EQ(loaded.pixels, original.pixels);
}

TEST_F(ImageFileTest, CmykJpegKeepsItsInksThroughASave)
{
    HostImage original = HostImage::blank(16, 16, plugInModeCMYKColor, false);
    for (size_t i = 0; i < original.pixels.size(); i += 4) {
        original.pixels[i] = 255, original.pixels[i + 1] = 30, original.pixels[i + 2] = 160,
        original.pixels[i + 3] = 240;
    }
    saveImage(original, folder.file("cmyk.jpg"));
    HostImage loaded = loadImage(folder.file("cmyk.jpg"));
    EXPECT_EQ(loaded.mode, plugInModeCMYKColor);
    ASSERT_EQ(loaded.pixels.size(), original.pixels.size());
    for (size_t i = 0; i < loaded.pixels.size(); ++i) {
        EXPECT_NEAR(loaded.pixels[i], original.pixels[i], 4) << "byte " << i;
    }
}

TEST_F(ImageFileTest, CmykTiffFromAnotherWriterLoadsAsTheFileInksInverted)
{
    // Written byte by byte, in both byte orders and with a last strip shorter than the others.
    RawTiff raw{5, 3, 5, 4, 1, {}};
    for (uint32_t i = 0; i < raw.width * raw.height * 4; ++i) {
        raw.samples.push_back(uint8_t(i * 53 + 7));
    }
    for (bool bigEndian : {true, false}) {
        writeBytes(folder.file("inks.tif"), rawTiffBytes(raw, bigEndian, 2));
        HostImage loaded = loadImage(folder.file("inks.tif"));
        EXPECT_EQ(loaded.mode, plugInModeCMYKColor);
        ASSERT_EQ(loaded.width, 5);
        ASSERT_EQ(loaded.height, 3);
        ASSERT_EQ(loaded.pixels.size(), raw.samples.size());
        for (size_t i = 0; i < raw.samples.size(); ++i) {
            EXPECT_EQ(loaded.pixels[i], 255 - raw.samples[i]) << "sample " << i << (bigEndian ? " (MM)" : " (II)");
        }
    }
}

TEST_F(ImageFileTest, AdobeCmykJpegLoadsWithNoInkAs255)
{
    // Stored as Adobe's applications store CMYK: 255 for no ink. Left half black ink alone, right half cyan.
    const int width = 32, height = 16;
    std::vector<uint8_t> stored;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::vector<uint8_t> pixel =
                x < 16 ? std::vector<uint8_t>{255, 255, 255, 55} : std::vector<uint8_t>{75, 255, 255, 255};
            stored.insert(stored.end(), pixel.begin(), pixel.end());
        }
    }
    writeAdobeCmykJpeg(stored, width, height, folder.file("adobe.jpg"));
    std::vector<uint8_t> bytes = readBytes(folder.file("adobe.jpg"));
    const std::string adobeMarker = "\xFF\xEE";
    const size_t marker = std::string(bytes.begin(), bytes.end()).find(adobeMarker);
    ASSERT_NE(marker, std::string::npos) << "no APP14 segment";
    EXPECT_EQ(std::string(bytes.begin() + long(marker) + 4, bytes.begin() + long(marker) + 9), "Adobe");

    HostImage loaded = loadImage(folder.file("adobe.jpg"));
    ASSERT_EQ(loaded.mode, plugInModeCMYKColor);
    ASSERT_EQ(loaded.pixels.size(), stored.size());
    for (size_t i = 0; i < stored.size(); ++i) {
        EXPECT_NEAR(loaded.pixels[i], stored[i], 2) << "byte " << i;
    }
}

TEST_F(ImageFileTest, IndexedPngIsRefusedUnlessConverted)
{
    // Four palette entries, the last one transparent; each row runs through them.
    const std::vector<uint8_t> palette = {200, 30, 10, 255, 0, 90, 250, 255, 255, 255, 255, 255, 0, 0, 0, 0};
    const std::vector<uint8_t> indices = {0, 1, 2, 3, 3, 2, 1, 0};
    writeIndexedPng(indices, 4, 2, palette, folder.file("indexed.png"));
    ASSERT_EQ(readBytes(folder.file("indexed.png")).at(25), 3) << "the file's colour type is indexed";
    try {
        loadImage(folder.file("indexed.png"));
        FAIL() << "an indexed image was accepted";
    } catch (const UnsupportedImageError& e) {
        EXPECT_NE(e.description().find("Indexed"), std::string::npos) << e.description();
    }
    HostImage converted = loadImage(folder.file("indexed.png"), ImageLoadOptions{true});
    EXPECT_EQ(converted.mode, plugInModeRGBColor);
    EXPECT_EQ(converted.colorPlanes, 3);
    ASSERT_TRUE(converted.hasAlpha) << "the palette's transparent entry becomes an alpha channel";
    ASSERT_EQ(converted.pixels.size(), indices.size() * 4);
    for (size_t i = 0; i < indices.size(); ++i) {
        const uint8_t* entry = &palette[indices[i] * 4];
        const uint8_t* pixel = &converted.pixels[i * 4];
        EXPECT_EQ(pixel[3], entry[3]) << "pixel " << i;
        if (entry[3] != 0) {
            EXPECT_EQ(std::vector<uint8_t>(pixel, pixel + 3), std::vector<uint8_t>(entry, entry + 3)) << "pixel " << i;
        }
    }
}

TEST_F(ImageFileTest, ResolutionAndProfileAreCarriedThrough)
{
    if (!fileExists(rgbProfile)) {
        GTEST_SKIP() << "no RGB ICC profile at " << rgbProfile;
    }
    HostImage original = pattern(4, 4, plugInModeRGBColor, false);
    original.iccProfile = readBytes(rgbProfile);
    original.xResolution = 300 / 25.4;
    original.yResolution = 150 / 25.4;
    for (const char* name : {"meta.png", "meta.tif"}) {
        saveImage(original, folder.file(name));
        HostImage loaded = loadImage(folder.file(name));
        EXPECT_EQ(loaded.iccProfile, original.iccProfile) << name;
        EXPECT_NEAR(loaded.xResolution, original.xResolution, 0.01) << name;
        EXPECT_NEAR(loaded.yResolution, original.yResolution, 0.01) << name;
    }
}

TEST_F(ImageFileTest, GrayscaleIsRefusedUnlessConverted)
{
    HostImage gray = HostImage::blank(3, 2, plugInModeGrayScale, false);
    for (size_t i = 0; i < gray.pixels.size(); ++i) {
        gray.pixels[i] = uint8_t(40 * i);
    }
    saveImage(gray, folder.file("gray.png"));

    try {
        loadImage(folder.file("gray.png"));
        FAIL() << "a grayscale image was accepted";
    } catch (const UnsupportedImageError& e) {
        EXPECT_NE(e.description().find("Grayscale"), std::string::npos) << e.description();
        EXPECT_NE(std::string(e.what()).find(folder.file("gray.png")), std::string::npos) << e.what();
    }

    HostImage converted = loadImage(folder.file("gray.png"), ImageLoadOptions{true});
    EXPECT_EQ(converted.mode, plugInModeRGBColor);
    ASSERT_EQ(converted.planes, 3);
    for (size_t i = 0; i < gray.pixels.size(); ++i) {
        for (size_t c = 0; c < 3; ++c) {
            EXPECT_EQ(converted.pixels[i * 3 + c], gray.pixels[i]) << "pixel " << i;
        }
    }
}

TEST_F(ImageFileTest, SixteenBitIsRefusedUnlessConvertedToEightBits)
{
    std::vector<uint16_t> samples = {0x0000, 0x1234, 0xFFFF, 0xABCD, 0x8000, 0x00FF};
    writeSixteenBitPng(samples, 2, 1, folder.file("deep.png"));
    try {
        loadImage(folder.file("deep.png"));
        FAIL() << "a 16-bit image was accepted";
    } catch (const UnsupportedImageError& e) {
        EXPECT_NE(e.description().find("16-bit"), std::string::npos) << e.description();
    }
    HostImage converted = loadImage(folder.file("deep.png"), ImageLoadOptions{true});
    EXPECT_EQ(converted.mode, plugInModeRGBColor);
    ASSERT_EQ(converted.pixels.size(), samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        EXPECT_NEAR(converted.pixels[i], samples[i] / 257.0, 1.0) << "sample " << i;
    }
}

TEST_F(ImageFileTest, ImagesLargerThanTheHostTakesAreRefused)
{
    HostImage wide = HostImage::blank(maxImageSide + 1, 1, plugInModeRGBColor, false);
    saveImage(wide, folder.file("wide.png"));
    try {
        loadImage(folder.file("wide.png"));
        FAIL() << "an image wider than " << maxImageSide << " was accepted";
    } catch (const HostError& e) {
        EXPECT_NE(std::string(e.what()).find("32767"), std::string::npos) << e.what();
    }
    HostImage widest = HostImage::blank(maxImageSide, 1, plugInModeRGBColor, false);
    saveImage(widest, folder.file("widest.png"));
    EXPECT_EQ(loadImage(folder.file("widest.png")).width, maxImageSide);
}

TEST_F(ImageFileTest, MissingAndBrokenFilesGiveMessagesNamingThem)
{
    std::string missing = folder.file("missing.png");
    EXPECT_THROW(
        {
            try {
                loadImage(missing);
            } catch (const HostError& e) {
                EXPECT_NE(std::string(e.what()).find(missing), std::string::npos);
                throw;
            }
        },
        HostError);
    writeBytes(folder.file("broken.png"), {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0});
    EXPECT_THROW(loadImage(folder.file("broken.png")), HostError);
    writeBytes(folder.file("notes.png"), {'h', 'e', 'l', 'l', 'o'});
    EXPECT_THROW(loadImage(folder.file("notes.png")), HostError);
}

TEST_F(ImageFileTest, AFailedSaveLeavesNoFileAndTheFormerFileUntouched)
{
    HostImage image = pattern(4, 4, plugInModeRGBColor, false);
    std::vector<uint8_t> former = {'f', 'o', 'r', 'm', 'e', 'r'};

    // Unknown format: nothing written at all.
    EXPECT_THROW(saveImage(image, folder.file("out.unknownformat")), HostError);
    // A malformed image (too few bytes): the file already there stays as it was.
    writeBytes(folder.file("out.png"), former);
    HostImage malformed = image;
    malformed.pixels.resize(5);
    EXPECT_THROW(saveImage(malformed, folder.file("out.png")), HostError);
    EXPECT_EQ(readBytes(folder.file("out.png")), former);
    // A folder that does not exist.
    EXPECT_THROW(saveImage(image, folder.file("no/such/folder/out.png")), HostError);

    EXPECT_EQ(folder.entries(), std::vector<std::string>{"out.png"});
}

TEST_F(ImageFileTest, AnEncoderFailureLeavesNoTemporaryFileBehind)
{
    // WebP holds at most 16383 pixels a side: the encoder gives up after the temporary file was made.
    HostImage tooWide = HostImage::blank(16384, 1, plugInModeRGBColor, false);
    writeBytes(folder.file("out.webp"), {'o', 'l', 'd'});
    EXPECT_THROW(saveImage(tooWide, folder.file("out.webp")), HostError);
    EXPECT_EQ(readBytes(folder.file("out.webp")), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"out.webp"});
}

TEST_F(ImageFileTest, ASuccessfulSaveReplacesTheFormerFileWhole)
{
    writeBytes(folder.file("out.png"), std::vector<uint8_t>(100000, 'x'));
    HostImage image = pattern(4, 4, plugInModeRGBColor, false);
    saveImage(image, folder.file("out.png"));
    EXPECT_EQ(loadImage(folder.file("out.png")).pixels, image.pixels);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"out.png"});
}

} // namespace
} // namespace vendrel::test
