// Thinning of a line mask to a one-pixel skeleton, and the skeleton's end points.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vendrel::stages {

// Bits of the per-pixel state the gap closing works on.
enum PixelBits : uint8_t {
    lineBit = 1,     // outside the fill window: part of a line
    skeletonBit = 2, // still on the line's skeleton
};

// Thins the pixels with lineBit and marks what remains with skeletonBit: the line is peeled from the outside in,
// in order of each pixel's distance to the nearest pixel off the line, one pass over the line pixels in all;
// a pixel goes when removing it changes no connection and it is not the tip of a line.
void thinLines(std::span<uint8_t> state, int32_t width, int32_t height);

struct EndPoint {
    int32_t x = 0, y = 0;
    float dx = 0, dy = 0; // unit direction in which the branch runs out at this end
};

// The skeleton's end points in raster order whose branch runs at least minBranch pixels before a junction (or
// the branch's other end), with the branch's direction over its last few pixels.
std::vector<EndPoint> findEndPoints(std::span<const uint8_t> state, int32_t width, int32_t height);

} // namespace vendrel::stages
