// HSB in the host's ranges, computed from RGB (as the host's colour picker does).
#pragma once

#include <array>

namespace vendrel {

// rgb: 0..1 per channel. hsb: hue 0..360 degrees (360 is the same as 0), saturation and brightness 0..255.
std::array<double, 3> hsbToRgb(const std::array<double, 3>& hsb);
std::array<double, 3> rgbToHsb(const std::array<double, 3>& rgb);

} // namespace vendrel
