// Colour conversion among the colour spaces of the plug-in interface's colour services, colour-managed with
// LittleCMS. Shared by the host, whose colour services answer with it, and by the module, which falls back on it
// when its host cannot convert.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "PIColorServices.h"

namespace vendrel {

// Components in the host's ranges: RGB 0..255; HSB hue 0..359 degrees, saturation and brightness 0..255;
// CMYK 0..255 with 255 meaning no ink; Lab L 0..255 for 0..100 and a, b 0..255 for -128..127; gray 0..255
// with 255 white. Unused components are 0.
using HostColor = std::array<int16_t, 4>;

// Converts color from one colour space to another (RGB 0, HSB 1, CMYK 2, Lab 3, gray 4); CMYK goes through the
// ICC profile at cmykProfile. Out-of-range components are clamped first; the same space leaves the components
// as they are. Answers noErr, or an error code (paramErr for a space not converted, errPlugInHostInsufficient
// when the CMYK profile cannot be read) and leaves color unchanged.
OSErr convertColor(int16_t sourceSpace, int16_t resultSpace, HostColor& color, const std::string& cmykProfile);

} // namespace vendrel
