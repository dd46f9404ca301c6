// PNG images in memory, for the layers of OpenRaster files.
#include <algorithm>

#include "VipsCodecs.h"
#include "VipsImages.h"
#include "VipsLibrary.h"

namespace vendrel::vipsimage {

using vips::VImage;

namespace {

// The image as PNG bytes, shrunk to fit maxSide pixels when it is larger and maxSide is positive.
std::vector<uint8_t> pngBytesOf(VImage png, int32_t maxSide)
{
    if (maxSide > 0 && std::max(png.width(), png.height()) > maxSide) {
        png = png.thumbnail_image(maxSide, VImage::option()->set("height", maxSide)->set("size", VIPS_SIZE_DOWN));
    }
    void* buffer = nullptr;
    size_t size = 0;
    watchForCancel(png);
    png.write_to_buffer(".png", &buffer, &size);
    std::vector<uint8_t> encoded(static_cast<uint8_t*>(buffer), static_cast<uint8_t*>(buffer) + size);
    g_free(buffer);
    return encoded;
}

// The rows of a composed image are made as the encoder asks for them, from the same rows of the source.
extern "C" int composeRegion(VipsRegion* out, void* sequence, void*, void* composer, gboolean*)
{
    auto* source = static_cast<VipsRegion*>(sequence);
    const VipsRect& area = out->valid;
    if (vips_region_prepare(source, &area) != 0) {
        return -1;
    }
    const auto& compose = *static_cast<const RowComposer*>(composer);
    for (int y = area.top; y < VIPS_RECT_BOTTOM(&area); ++y) {
        compose(area.left, y, area.width, reinterpret_cast<const uint8_t*>(VIPS_REGION_ADDR(source, area.left, y)),
                reinterpret_cast<uint8_t*>(VIPS_REGION_ADDR(out, area.left, y)));
    }
    return 0;
}

// An image of like's size and planes whose pixels compose makes from the source's on demand; the source must
// outlive it.
VImage composedImage(const VImage& source, const HostImage& like, const RowComposer& compose)
{
    VipsImage* out = vips_image_new();
    vips_image_init_fields(out, like.width, like.height, like.planes, VIPS_FORMAT_UCHAR, VIPS_CODING_NONE,
                           VIPS_INTERPRETATION_MULTIBAND, 1.0, 1.0);
    if (vips_image_pipelinev(out, VIPS_DEMAND_STYLE_THINSTRIP, nullptr) != 0 ||
        vips_image_generate(out, vips_start_one, composeRegion, vips_stop_one, source.get_image(),
                            const_cast<RowComposer*>(&compose)) != 0) {
        g_object_unref(out);
        throw vips::VError();
    }
    // The decoder reads its rows once, in order; marked so, the image gets the caches that the library puts in
    // where an operation reads rows in another order.
    if (vips_image_get_typeof(source.get_image(), VIPS_META_SEQUENTIAL) != 0) {
        vips_image_set_int(out, VIPS_META_SEQUENTIAL, 1);
    }
    return describedAs(VImage(out), like);
}

// Where the thumbnail's reading of growing bytes has got to.
struct GrowingBytesReader {
    GrowingBytes* bytes;
    size_t position = 0;
};

extern "C" gint64 readGrowingBytes(VipsSourceCustom*, void* buffer, gint64 length, void* data)
{
    auto* reader = static_cast<GrowingBytesReader*>(data);
    const size_t count = reader->bytes->read(reader->position, static_cast<uint8_t*>(buffer), size_t(length));
    reader->position += count;
    return gint64(count);
}

} // namespace

std::vector<uint8_t> encodePng(const HostImage& image, int32_t maxSide)
{
    ensureVips();
    if (image.mode == plugInModeCMYKColor) {
        throw HostError("a CMYK image has no PNG form");
    }
    try {
        return pngBytesOf(vipsImageOf(image), maxSide);
    } catch (const std::exception& e) {
        failWith("cannot encode a PNG image: ", e);
    }
}

std::vector<uint8_t> encodeComposedPng(const HostImage& like, const std::vector<uint8_t>& source, int32_t sourcePlanes,
                                       const RowComposer& compose)
{
    ensureVips();
    if (like.mode == plugInModeCMYKColor) {
        throw HostError("a CMYK image has no PNG form");
    }
    try {
        const VImage decoded = VImage::new_from_buffer(source.data(), source.size(), "", loadOptions());
        if (!isPlainRgb(decoded) || decoded.width() != like.width || decoded.height() != like.height ||
            decoded.bands() != sourcePlanes) {
            throw HostError("cannot encode a PNG image: its source holds " + describe(decoded) + " of " +
                            std::to_string(decoded.width()) + " x " + std::to_string(decoded.height()) + " pixels");
        }
        return pngBytesOf(composedImage(decoded, like, compose), 0);
    } catch (const HostError&) {
        throw;
    } catch (const std::exception& e) {
        failWith("cannot encode a PNG image: ", e);
    }
}

std::vector<uint8_t> pngThumbnail(GrowingBytes& png, int32_t maxSide)
{
    ensureVips();
    // Read as a pipe is, in order as the bytes come and never whole: the same pixels as a thumbnail of the image
    // in memory. The reader is disconnected before it goes, should the library keep the source.
    GrowingBytesReader reader{&png};
    VipsSourceCustom* custom = vips_source_custom_new();
    const gulong handler = g_signal_connect(custom, "read", G_CALLBACK(readGrowingBytes), &reader);
    auto release = [&] {
        g_signal_handler_disconnect(custom, handler);
        g_object_unref(custom);
    };
    try {
        const vips::VSource source(VIPS_SOURCE(custom), vips::NOSTEAL);
        // Bytes that end early mean their writer failed: no thumbnail is made of the part that came.
        const VImage thumbnail = VImage::thumbnail_source(source, maxSide,
                                                          VImage::option()
                                                              ->set("height", maxSide)
                                                              ->set("size", VIPS_SIZE_DOWN)
                                                              ->set("option_string", "fail_on=truncated"));
        std::vector<uint8_t> encoded = pngBytesOf(thumbnail, 0);
        release();
        return encoded;
    } catch (const std::exception& e) {
        release();
        failWith("cannot encode a PNG thumbnail: ", e);
    }
}

} // namespace vendrel::vipsimage
