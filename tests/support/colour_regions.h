// Counting an image's regions: the 4-connected sets of pixels of one colour.
#pragma once

#include <utility>
#include <vector>

#include "vendrel/host/HostImage.h"

namespace vendrel::test {

inline std::array<uint8_t, 3> regionColourAt(const HostImage& image, int32_t x, int32_t y)
{
    const uint8_t* p = image.pixel(x, y);
    return {p[0], p[1], p[2]};
}

// Regions of one colour: the 4-connected sets of pixels of equal colour.
inline int countRegions(const HostImage& image)
{
    std::vector<uint8_t> seen(size_t(image.width) * size_t(image.height), 0);
    int count = 0;
    for (int32_t y0 = 0; y0 < image.height; ++y0) {
        for (int32_t x0 = 0; x0 < image.width; ++x0) {
            if (seen[size_t(y0) * size_t(image.width) + size_t(x0)] != 0) {
                continue;
            }
            ++count;
            const std::array<uint8_t, 3> colour = regionColourAt(image, x0, y0);
            std::vector<std::pair<int32_t, int32_t>> stack = {{x0, y0}};
            seen[size_t(y0) * size_t(image.width) + size_t(x0)] = 1;
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                const int32_t dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
                for (int k = 0; k < 4; ++k) {
                    const int32_t nx = x + dx[k], ny = y + dy[k];
                    if (nx < 0 || ny < 0 || nx >= image.width || ny >= image.height) {
                        continue;
                    }
                    uint8_t& mark = seen[size_t(ny) * size_t(image.width) + size_t(nx)];
                    if (mark == 0 && regionColourAt(image, nx, ny) == colour) {
                        mark = 1;
                        stack.push_back({nx, ny});
                    }
                }
            }
        }
    }
    return count;
}

} // namespace vendrel::test
