// The table of the libvips codecs, as the library gives it to the program that loads it and as a program that
// links the codecs takes it.
#include "VipsCodecs.h"

namespace vendrel {

namespace {

constexpr ImageCodecs vipsCodecs{
    .loadImage = vipsimage::loadImage,
    .readImageDimensions = vipsimage::readImageDimensions,
    .writeImage = vipsimage::writeImage,
    .encodePng = vipsimage::encodePng,
    .encodeComposedPng = vipsimage::encodeComposedPng,
    .pngThumbnail = vipsimage::pngThumbnail,
    .writeRgbPng = vipsimage::writeRgbPng,
    .renderText = vipsimage::renderText,
};

} // namespace

extern "C" const ImageCodecs* vendrel_image_codecs(int32_t version) noexcept
{
    return version == kImageCodecsVersion ? &vipsCodecs : nullptr;
}

} // namespace vendrel
