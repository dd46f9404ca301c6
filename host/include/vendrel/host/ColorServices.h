// The host's colour services: conversions among its colour spaces, and the colour picker, for plug-ins.
#pragma once

#include <array>
#include <cstdint>

#include "PIColorServices.h"

namespace vendrel {

// Components in the host's ranges: RGB 0..255; HSB hue 0..359 degrees, saturation and brightness 0..255;
// CMYK 0..255 with 255 meaning no ink; Lab L 0..255 for 0..100 and a, b 0..255 for -128..127; gray 0..255
// with 255 white. Unused components are 0.
using HostColor = std::array<int16_t, 4>;

// Converts color from one host colour space to another (RGB 0, HSB 1, CMYK 2, Lab 3, gray 4). Out-of-range
// components are clamped first; the same space leaves the components as they are. Answers noErr, or an error
// code (paramErr for a space the host does not convert, errPlugInHostInsufficient when the CMYK profile is
// missing) and leaves color unchanged.
OSErr convertHostColor(int16_t sourceSpace, int16_t resultSpace, HostColor& color);

// The colorServices callback of the filter record: selector 1 converts, selector 0 asks the front end's colour
// picker (userCanceledErr when the user cancels); other selectors answer paramErr.
OSErr hostColorServices(ColorServicesInfo* info);

} // namespace vendrel
