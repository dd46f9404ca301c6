// Pixel offsets within a disc, nearest first: the order in which the stages search around a pixel.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vendrel::stages {

struct Offset {
    int32_t dx, dy;
    int32_t squared; // dx * dx + dy * dy
};

// Every offset with dx^2 + dy^2 <= radius^2, by distance, then leftmost column, then topmost row: the same rule
// that the flats use between equally near pixels.
inline std::vector<Offset> discOffsets(int32_t radius)
{
    std::vector<Offset> offsets;
    for (int32_t dy = -radius; dy <= radius; ++dy) {
        for (int32_t dx = -radius; dx <= radius; ++dx) {
            if (dx * dx + dy * dy <= radius * radius) {
                offsets.push_back(Offset{dx, dy, dx * dx + dy * dy});
            }
        }
    }
    std::sort(offsets.begin(), offsets.end(), [](const Offset& a, const Offset& b) {
        return a.squared != b.squared ? a.squared < b.squared : a.dx != b.dx ? a.dx < b.dx : a.dy < b.dy;
    });
    return offsets;
}

} // namespace vendrel::stages
