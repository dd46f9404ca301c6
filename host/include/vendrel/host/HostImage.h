// An image held by the host: 8-bit interleaved pixels that the filter changes in place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PIFilter.h"

namespace vendrel {

struct HostImage {
    int32_t width = 0;
    int32_t height = 0;
    int16_t mode = plugInModeRGBColor; // the host image mode handed to the filter
    int32_t colorPlanes = 3;           // planes the filter sees (outLayerPlanes)
    int32_t planes = 3;                // interleaved bytes per pixel, alpha included
    bool hasAlpha = false;             // the last plane is transparency and is never handed to the filter
    std::vector<uint8_t> pixels;       // row-major, planes bytes per pixel, rows without padding

    // Metadata carried from the input file to the output file.
    std::vector<uint8_t> iccProfile;
    double xResolution = 0; // pixels per millimetre, 0 when unknown
    double yResolution = 0;

    size_t rowBytes() const { return size_t(width) * size_t(planes); }
    uint8_t* pixel(int32_t x, int32_t y) { return pixels.data() + size_t(y) * rowBytes() + size_t(x) * size_t(planes); }
    const uint8_t* pixel(int32_t x, int32_t y) const
    {
        return pixels.data() + size_t(y) * rowBytes() + size_t(x) * size_t(planes);
    }

    // A blank image of the given size and mode; CMYK gets 4 colour planes, gray 1, everything else 3.
    static HostImage blank(int32_t width, int32_t height, int16_t mode = plugInModeRGBColor, bool alpha = false);
};

// The host image mode's readable name ("RGB", "CMYK", "Grayscale", ...).
std::string imageModeName(int16_t mode);

} // namespace vendrel
