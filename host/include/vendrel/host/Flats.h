// Flats: every pixel that no area took gets the colour of the nearest filled pixel.
#pragma once

#include <cstdint>
#include <span>

#include "HostImage.h"

namespace vendrel {

// filled holds one byte per pixel, row-major, non-zero where the filter filled the pixel. Every other pixel (the
// line pixels and whatever the filter could not colour) takes the colour channels of the filled pixel nearest to
// it by exact Euclidean distance; among equally near filled pixels the one in the leftmost column wins, and in
// that column the one in the topmost row. Filled pixels, and any alpha plane, are left as they are. Without any
// filled pixel the image is left as it is. With threads 2 or more, two threads share the rows; the result is the
// same.
void spreadFlats(HostImage& image, std::span<const uint8_t> filled, int32_t threads = 1);

} // namespace vendrel
