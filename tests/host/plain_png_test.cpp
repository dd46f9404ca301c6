// The PNG files most runs read and write (8-bit RGB or gray, with or without alpha, no profile) go through libpng
// without the image library. Whichever way a file goes, the host must give the pixels, resolution and bytes that
// the image library gives for it: the library itself is the reference here.
#include <gtest/gtest.h>

#include <vips/vips8>
#include <zlib.h>

#include <future>
#include <random>

#include "cli_test_files.h"
#include "vendrel/host/ImageFile.h"

namespace vendrel::test {
namespace {

struct ImageCase {
    const char* name;
    int16_t mode;
    bool alpha;
    int32_t width, height;
    double resolution; // pixels per millimetre; 0 for unknown
};

// Flat paper with strokes and a patch of noise: runs of equal bytes and bytes that do not compress.
HostImage drawing(const ImageCase& shape)
{
    HostImage image = HostImage::blank(shape.width, shape.height, shape.mode, shape.alpha);
    std::mt19937 random(uint32_t(shape.width * 31 + shape.height));
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            uint8_t* pixel = image.pixel(x, y);
            const bool stroke = (x + 2 * y) % 53 < 3 || y % 41 == 0;
            const bool noise = x < image.width / 4 && y < image.height / 4;
            for (int32_t plane = 0; plane < image.planes; ++plane) {
                pixel[plane] = noise ? uint8_t(random()) : stroke ? uint8_t(20 * plane) : 250;
            }
        }
    }
    image.xResolution = shape.resolution;
    image.yResolution = shape.resolution * 2;
    return image;
}

// The PNG bytes the image library writes for the image, described as the host describes it.
std::vector<uint8_t> libraryPng(const HostImage& image)
{
    const double unknown = 72.0 / 25.4;
    vips::VImage memory =
        vips::VImage::new_from_memory(const_cast<uint8_t*>(image.pixels.data()), image.pixels.size(), image.width,
                                      image.height, image.planes, VIPS_FORMAT_UCHAR)
            .copy(vips::VImage::option()
                      ->set("interpretation",
                            image.mode == plugInModeGrayScale ? VIPS_INTERPRETATION_B_W : VIPS_INTERPRETATION_sRGB)
                      ->set("xres", image.xResolution > 0 ? image.xResolution : unknown)
                      ->set("yres", image.yResolution > 0 ? image.yResolution : unknown));
    void* buffer = nullptr;
    size_t size = 0;
    memory.write_to_buffer(".png", &buffer, &size);
    std::vector<uint8_t> bytes(static_cast<uint8_t*>(buffer), static_cast<uint8_t*>(buffer) + size);
    g_free(buffer);
    return bytes;
}

class PlainPngTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(VIPS_INIT("plain_png_test"), 0);
        // The library would answer a second load of a file of the same name from its cache of operations.
        vips_cache_set_max(0);
    }
    std::string file(const std::string& name) { return folder_.file(name); }

private:
    TempFolder folder_;
};

TEST_F(PlainPngTest, WrittenAndEncodedBytesAreTheImageLibrarysAndReadBackTheSame)
{
    const ImageCase cases[] = {
        {"rgb 8x8", plugInModeRGBColor, false, 8, 8, 0},
        {"rgb 1x1", plugInModeRGBColor, false, 1, 1, 72.0 / 25.4},
        {"rgba 300x200", plugInModeRGBColor, true, 300, 200, 11.811},
        {"rgb 1000x700 300 dpi", plugInModeRGBColor, false, 1000, 700, 300.0 / 25.4},
        {"gray 64x90", plugInModeGrayScale, false, 64, 90, 0},
        {"gray and alpha 90x64", plugInModeGrayScale, true, 90, 64, 4},
    };
    for (const ImageCase& shape : cases) {
        SCOPED_TRACE(shape.name);
        const HostImage image = drawing(shape);
        const std::vector<uint8_t> expected = libraryPng(image);
        const std::string path = file("out.png");
        saveImage(image, path);
        EXPECT_EQ(readBytes(path), expected);
        EXPECT_EQ(encodePng(image), expected);
        if (shape.mode != plugInModeRGBColor) {
            continue; // gray comes in only converted
        }
        const HostImage back = loadImage(path);
        EXPECT_EQ(back.pixels, image.pixels);
        EXPECT_EQ(back.hasAlpha, shape.alpha);
        const vips::VImage reference = vips::VImage::new_from_file(path.c_str());
        EXPECT_DOUBLE_EQ(back.xResolution, reference.xres());
        EXPECT_DOUBLE_EQ(back.yResolution, reference.yres());
    }
}

// A chunk of a PNG file: its length, type, data and checksum.
std::string chunk(const std::string& type, const std::string& data)
{
    auto bigEndian = [](uint32_t value) {
        return std::string{char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    };
    const std::string typed = type + data;
    const uint32_t crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(typed.data()), uInt(typed.size())));
    return bigEndian(uint32_t(data.size())) + typed + bigEndian(crc);
}

// A 5 x 3 RGB PNG written by hand, with the chunks given before its pixels; cut short by truncate bytes.
std::string handWrittenPng(const std::string& before, size_t truncate = 0)
{
    std::string rows;
    for (int y = 0; y < 3; ++y) {
        rows += '\0';
        for (int x = 0; x < 5; ++x) {
            rows += {char(10 * x), char(40 * y), char(200)};
        }
    }
    std::string packed(compressBound(uLong(rows.size())), '\0');
    uLongf packedSize = uLongf(packed.size());
    compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(rows.data()),
             uLong(rows.size()));
    packed.resize(packedSize);
    const std::string header{0, 0, 0, 5, 0, 0, 0, 3, 8, 2, 0, 0, 0};
    std::string png = "\x89PNG\r\n\x1a\n" + chunk("IHDR", header) + before + chunk("IDAT", packed) + chunk("IEND", "");
    png.resize(png.size() - truncate);
    return png;
}

TEST_F(PlainPngTest, FilesOfOtherWritersReadAsTheImageLibraryReadsThem)
{
    const std::string unitless{0, 0, 0, 3, 0, 0, 0, 5, 0};
    const std::string metres{0, 0, 0x2e, 0x23, 0, 0, 0x0f, 0x61, 1};
    const struct {
        const char* name;
        std::string bytes;
    } files[] = {
        {"no pHYs", handWrittenPng("")},
        {"pHYs without a unit", handWrittenPng(chunk("pHYs", unitless))},
        {"pHYs in metres, sRGB, gamma and text",
         handWrittenPng(chunk("pHYs", metres) + chunk("sRGB", std::string(1, '\0')) +
                        chunk("gAMA", {0, 0, char(0xb1), char(0x8f)}) + chunk("tEXt", std::string("Title\0art", 9)))},
        {"no IEND", handWrittenPng("", 12)},
    };
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        const std::string path = file("in.png");
        writeBytes(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
        const vips::VImage reference =
            vips::VImage::new_from_file(path.c_str(), vips::VImage::option()->set("fail_on", VIPS_FAIL_ON_ERROR));
        size_t size = 0;
        void* pixels = reference.write_to_memory(&size);
        const std::vector<uint8_t> expected(static_cast<uint8_t*>(pixels), static_cast<uint8_t*>(pixels) + size);
        g_free(pixels);
        const HostImage image = loadImage(path);
        EXPECT_EQ(image.pixels, expected);
        EXPECT_DOUBLE_EQ(image.xResolution, reference.xres());
        EXPECT_DOUBLE_EQ(image.yResolution, reference.yres());
        EXPECT_EQ(readImageDimensions(path).width, 5);
    }

    // The image library may hand on a file cut short inside its pixels with the missing rows black.
    writeBytes(file("cut.png"), [] {
        const std::string cut = handWrittenPng("", 30);
        return std::vector<uint8_t>(cut.begin(), cut.end());
    }());
    try {
        loadImage(file("cut.png"));
        ADD_FAILURE() << "a PNG cut short was read";
    } catch (const HostError& error) {
        EXPECT_NE(std::string(error.what()).find("cut.png: cannot read the image: the file is damaged or incomplete"),
                  std::string::npos)
            << error.what();
    }
}

// An OpenRaster file's merged image is composed row by row from the line art's PNG and encoded while its thumbnail
// is made on another thread from the bytes as they come: both must be the image library's bytes for the whole
// composed image, and a source that fails part-way must end both with an error, not leave the reader waiting.
TEST_F(PlainPngTest, ComposedImagesAndTheirStreamedThumbnailsAreTheImageLibrarys)
{
    const HostImage source = drawing({"rgb 1000x700", plugInModeRGBColor, false, 1000, 700, 300.0 / 25.4});
    HostImage inverted = source;
    for (uint8_t& byte : inverted.pixels) {
        byte = uint8_t(255 - byte);
    }
    const RowComposer invert = [](int32_t, int32_t, int32_t count, const uint8_t* in, uint8_t* out) {
        for (int32_t i = 0; i < 3 * count; ++i) {
            out[i] = uint8_t(255 - in[i]);
        }
    };
    const std::vector<uint8_t> expected = libraryPng(inverted);
    VipsBlob* blob = vips_blob_new(nullptr, expected.data(), expected.size());
    const vips::VImage libraryThumbnail = vips::VImage::thumbnail_buffer(
        blob, 256, vips::VImage::option()->set("height", 256)->set("size", VIPS_SIZE_DOWN));
    vips_area_unref(VIPS_AREA(blob));
    void* buffer = nullptr;
    size_t size = 0;
    libraryThumbnail.write_to_buffer(".png", &buffer, &size);
    const std::vector<uint8_t> expectedThumbnail(static_cast<uint8_t*>(buffer), static_cast<uint8_t*>(buffer) + size);
    g_free(buffer);

    const std::vector<uint8_t> sourcePng = encodePng(source);
    GrowingBytes stream;
    auto thumbnail = std::async(std::launch::async, [&stream] { return pngThumbnail(stream, 256); });
    const std::vector<uint8_t> composed = encodeComposedPng(inverted, sourcePng, 3, invert, &stream);
    stream.close();
    EXPECT_EQ(composed, expected);
    EXPECT_EQ(thumbnail.get(), expectedThumbnail);

    std::vector<uint8_t> damaged = sourcePng;
    damaged.resize(damaged.size() / 2);
    GrowingBytes cutStream;
    auto cutThumbnail = std::async(std::launch::async, [&cutStream] { return pngThumbnail(cutStream, 256); });
    EXPECT_THROW(encodeComposedPng(inverted, damaged, 3, invert, &cutStream), HostError);
    cutStream.close();
    EXPECT_THROW(cutThumbnail.get(), HostError);
}

} // namespace
} // namespace vendrel::test
