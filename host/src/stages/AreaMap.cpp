#include "AreaMap.h"

#include <algorithm>

#include "NearestFilledRows.h"

namespace vendrel::stages {

AreaMap mapAreas(std::span<const uint8_t> filled, int32_t width, int32_t height)
{
    AreaMap map;
    map.width = width;
    map.height = height;
    const size_t count = size_t(width) * size_t(height);
    map.label.assign(count, noArea);
    std::vector<uint32_t> stack;
    for (size_t start = 0; start < count; ++start) {
        if (filled[start] == 0 || map.label[start] != noArea) {
            continue;
        }
        const uint32_t number = uint32_t(map.areas.size());
        AreaMap::Area area;
        area.seed = uint32_t(start);
        area.minX = area.maxX = int32_t(start % size_t(width));
        area.minY = area.maxY = int32_t(start / size_t(width));
        map.label[start] = number;
        stack.assign(1, uint32_t(start));
        while (!stack.empty()) {
            const uint32_t at = stack.back();
            stack.pop_back();
            const int32_t x = int32_t(at % uint32_t(width)), y = int32_t(at / uint32_t(width));
            ++area.pixels;
            area.minX = std::min(area.minX, x), area.maxX = std::max(area.maxX, x);
            area.minY = std::min(area.minY, y), area.maxY = std::max(area.maxY, y);
            auto visit = [&](uint32_t next) {
                if (filled[next] != 0 && map.label[next] == noArea) {
                    map.label[next] = number;
                    stack.push_back(next);
                }
            };
            if (x > 0) {
                visit(at - 1);
            }
            if (x + 1 < width) {
                visit(at + 1);
            }
            if (y > 0) {
                visit(at - uint32_t(width));
            }
            if (y + 1 < height) {
                visit(at + uint32_t(width));
            }
        }
        map.areas.push_back(area);
    }
    return map;
}

PixelPlane<uint32_t> nearestFilled(std::span<const uint8_t> filled, int32_t width, int32_t height, int32_t threads)
{
    const size_t count = size_t(width) * size_t(height);
    PixelPlane<uint32_t> nearest(count);
    for (size_t i = 0; i < count; ++i) {
        nearest[i] = filled[i] != 0 ? uint32_t(i) : noArea;
    }
    forEachNearestFilled(
        filled.data(), width, height, threads,
        [&](int32_t x, int32_t y, int32_t fromX, int32_t fromY) {
            nearest[size_t(y) * size_t(width) + size_t(x)] = uint32_t(size_t(fromY) * size_t(width) + size_t(fromX));
        },
        [](int32_t) {});
    return nearest;
}

} // namespace vendrel::stages
