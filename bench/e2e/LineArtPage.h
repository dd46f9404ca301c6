// The benchmark's pictures, the same bytes on every run: a page of line art and a tiny image.
#pragma once

#include "vendrel/host/HostImage.h"

namespace vendrel::bench {

// An RGB page of anti-aliased black curves and strokes over white, as a scanned drawing to colour would be.
HostImage lineArtPage(int32_t width, int32_t height);

// A tiny RGB image: white with a black cross, four areas.
HostImage tinyImage(int32_t side);

} // namespace vendrel::bench
