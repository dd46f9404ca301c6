// One colour of a swatch file: the file's colour-space id and its four 16-bit components.
#pragma once

#include <iosfwd>

#include "PITypes.h"

// Colour-space ids of swatch files.
enum : uint16 { kSwatchRGB = 0, kSwatchHSB = 1, kSwatchCMYK = 2, kSwatchLab = 7, kSwatchGray = 8 };

struct SwatchColor {
    uint16 colorSpace;
    uint16 components[4];

    // The host colour-services space of this colour's model, or -1 when the host has none for it.
    int16 HostColorSpace() const;
};

// Reads one record: the id, then the four components, each a big-endian 16-bit word. On a short read the
// stream fails and the record must not be used.
std::istream& operator>>(std::istream& in, SwatchColor& color);
