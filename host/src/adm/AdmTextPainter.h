// Text of dialog items painted onto a raster: the plug-in's bytes (Mac OS Roman) rendered with a sans-serif
// font the size of the dialog font.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AdmDrawer.h"
#include "ImageCodecs.h"

namespace vendrel::adm {

using vendrel::TextMask;

// wrapWidth > 0 breaks lines at words to fit that width. An empty mask when the text is empty or cannot be
// rendered (no font available). Throws HostError when the image codecs, which render it, cannot be loaded.
TextMask renderText(const std::string& macRomanText, int32_t wrapWidth);

// Blends the mask in the colour onto the raster with its top-left corner at (x, y), inside clip only.
void paintText(RgbRaster& raster, const TextMask& mask, int32_t x, int32_t y, const AdmRect& clip, Rgb8 color);

} // namespace vendrel::adm
