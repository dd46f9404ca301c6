// The table's entries as libvips implements them (CodecTable_vips.cpp gathers them). They have names of their own,
// apart from the public functions that call them: in the loaded library a call among them must never resolve to
// the program's function of the same name.
#pragma once

#include "ImageCodecs.h"

namespace vendrel::vipsimage {

HostImage loadImage(const std::string& path, const ImageLoadOptions& options);
ImageDimensions readImageDimensions(const std::string& path);
void writeImage(const HostImage& image, PendingFile& file, const ImageSaveOptions& options);
std::vector<uint8_t> encodePng(const HostImage& image, int32_t maxSide);
std::vector<uint8_t> encodeComposedPng(const HostImage& like, const std::vector<uint8_t>& source, int32_t sourcePlanes,
                                       const RowComposer& compose);
std::vector<uint8_t> pngThumbnail(GrowingBytes& png, int32_t maxSide);
void writeRgbPng(const RgbRaster& raster, PendingFile& file);
TextMask renderText(const std::string& markup, const char* font, int32_t dpi, int32_t wrapWidth);

} // namespace vendrel::vipsimage
