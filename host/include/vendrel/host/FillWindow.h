// The filter's colour window seen from the host: which pixels the filter will fill before it runs.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "HostImage.h"
#include "PixelPlane.h"

namespace vendrel {

// The fill colour plus or minus the tolerance per channel, in the image's own channel encoding, built the way
// the filter builds it: the fill colour's high bytes converted from RGB into the image's mode through the
// host's colour conversion, then widened by the tolerance and clipped to 0..255.
struct FillWindow {
    int channels = 3; // the colour channels tested, 1 to 4
    std::array<uint8_t, 4> low{};
    std::array<uint8_t, 4> high{};

    bool contains(const uint8_t* pixel) const
    {
        for (int c = 0; c < channels; ++c) {
            if (pixel[c] < low[c] || pixel[c] > high[c]) {
                return false;
            }
        }
        return true;
    }
};

// fillColor holds 16-bit RGB channels; tolerance is taken as an unsigned 16-bit value. Throws HostError when the
// host cannot convert the colour into the image's mode.
FillWindow fillWindowFor(const HostImage& image, const std::array<uint16_t, 3>& fillColor, int32_t tolerance);

// One byte per pixel, row-major: 1 where the pixel's colour lies in the window. The filter fills exactly the
// 4-connected areas of these pixels, so before the run this is the mask of the pixels it will fill. With threads 2
// or more, two threads share the rows.
PixelPlane<uint8_t> windowMask(const HostImage& image, const FillWindow& window, int32_t threads = 1);

// A colour outside the window in the image's encoding: all channels 0 when that lies outside (the filter never
// takes an all-zero pixel as a normal area when it joins small areas), else 255 in the first channel whose
// window stops short of 255. Answers false when the window covers every colour.
bool colourOutsideWindow(const FillWindow& window, std::array<uint8_t, 4>& colour);

} // namespace vendrel
