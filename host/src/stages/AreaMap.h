// The filter's areas as the stages see them: the 4-connected sets of pixels it fills, numbered in the order the
// filter meets their seeds (row by row), since that is the order in which it hands out their colours.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "vendrel/host/PixelPlane.h"

namespace vendrel::stages {

constexpr uint32_t noArea = UINT32_MAX;

struct AreaMap {
    struct Area {
        uint32_t seed = 0;   // the first pixel in row order (row-major index)
        uint32_t pixels = 0; // how many pixels it holds
        int32_t minX = 0, maxX = 0, minY = 0, maxY = 0;
    };
    int32_t width = 0;
    int32_t height = 0;
    PixelPlane<uint32_t> label; // per pixel, row-major: the area's number, noArea for a pixel no area holds
    std::vector<Area> areas;    // by number, which is seed order
};

// The areas of the pixels that are non-zero in filled (one byte per pixel, row-major).
AreaMap mapAreas(std::span<const uint8_t> filled, int32_t width, int32_t height);

// For every pixel, the row-major index of the filled pixel nearest to it by exact Euclidean distance, with the
// flats' tie rule (leftmost column, then topmost row); a filled pixel answers itself. noArea everywhere when no
// pixel is filled. The same transform as spreadFlats, so the stages agree with the flats on every pixel.
PixelPlane<uint32_t> nearestFilled(std::span<const uint8_t> filled, int32_t width, int32_t height, int32_t threads);

} // namespace vendrel::stages
