// CMYK pixels made 8-bit RGB through LittleCMS, for outputs whose format holds no CMYK.
#pragma once

#include "vendrel/host/HostImage.h"

namespace vendrel {

// The image in sRGB: its own ICC profile describes the inks (else the host's CMYK profile); alpha is kept.
// The result carries no profile. Throws HostError when no transform can be made.
HostImage cmykToRgb(const HostImage& cmyk);

} // namespace vendrel
