// Line art drawn on a transparent background: its transparent pixels are paper.
#pragma once

#include <array>
#include <cstdint>

#include "HostImage.h"

namespace vendrel {

// Composites the image over the paper colour (16-bit RGB channels, converted into the image's mode as the fill
// colour is) and drops its alpha plane, so that transparent pixels take the paper colour and the result is
// opaque. An image without alpha is left as it is. Throws HostError when the colour cannot be converted.
void putOnPaper(HostImage& image, const std::array<uint16_t, 3>& paperColour);

} // namespace vendrel
