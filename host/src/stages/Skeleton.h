// Thinning of a line mask to a one-pixel skeleton, and the skeleton's end points.
#pragma once

#include <cstdint>
#include <vector>

namespace vendrel::stages {

// Bits of the per-pixel state the gap closing works on.
enum PixelBits : uint8_t {
    lineBit = 1,     // outside the fill window: part of a line
    skeletonBit = 2, // still on the line's skeleton
    listedBit = 4,   // waiting in the thinning's work list
    failShift = 3,   // two bits: consecutive thinning passes that kept the pixel
};

// Thins the pixels with lineBit (Zhang-Suen's two sub-passes, run on a work list of contour pixels so that each
// pass only looks at pixels that can still change) and marks what remains with skeletonBit.
void thinLines(std::vector<uint8_t>& state, int32_t width, int32_t height);

struct EndPoint {
    int32_t x = 0, y = 0;
    float dx = 0, dy = 0; // unit direction in which the branch runs out at this end
};

// The skeleton's end points in raster order whose branch runs at least minBranch pixels before a junction (or
// the branch's other end), with the branch's direction over its last few pixels.
std::vector<EndPoint> findEndPoints(const std::vector<uint8_t>& state, int32_t width, int32_t height);

} // namespace vendrel::stages
