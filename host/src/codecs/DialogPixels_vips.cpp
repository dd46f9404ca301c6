// The dialog pictures' pixels through libvips: texts rendered by its text operation (Pango), and the finished
// picture written as a PNG file.
#include <vips/vips8>

#include "VipsCodecs.h"
#include "VipsLibrary.h"

namespace vendrel::vipsimage {

namespace {

TextMask maskOf(const vips::VImage& image)
{
    const vips::VImage band = image.cast(VIPS_FORMAT_UCHAR).extract_band(0);
    size_t size = 0;
    void* bytes = band.write_to_memory(&size);
    TextMask mask;
    mask.width = band.width();
    mask.height = band.height();
    const auto* begin = static_cast<const uint8_t*>(bytes);
    mask.coverage.assign(begin, begin + size);
    g_free(bytes);
    if (mask.coverage.size() != size_t(mask.width) * size_t(mask.height)) {
        return {};
    }
    return mask;
}

} // namespace

TextMask renderText(const std::string& markup, const char* font, int32_t dpi, int32_t wrapWidth)
{
    ensureVips();
    try {
        vips::VOption* options = vips::VImage::option()->set("font", font)->set("dpi", dpi);
        if (wrapWidth > 0) {
            options->set("width", wrapWidth);
        }
        return maskOf(vips::VImage::text(markup.c_str(), options));
    } catch (const vips::VError&) {
        return {};
    }
}

void writeRgbPng(const RgbRaster& raster, PendingFile& file)
{
    ensureVips();
    try {
        const vips::VImage image =
            vips::VImage::new_from_memory(const_cast<uint8_t*>(raster.pixels.data()), raster.pixels.size(),
                                          raster.width, raster.height, 3, VIPS_FORMAT_UCHAR);
        image.pngsave_target(vips::VTarget::new_to_descriptor(file.descriptor()));
    } catch (const vips::VError& error) {
        throw HostError("cannot write " + file.target() + ": " + error.what());
    }
}

} // namespace vendrel::vipsimage
