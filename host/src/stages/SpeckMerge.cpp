#include "SpeckMerge.h"

#include <numeric>
#include <tuple>

namespace vendrel::stages {

namespace {

struct Nearest {
    uint64_t squared = UINT64_MAX;
    int32_t x = 0, y = 0;
    uint32_t pixel = noArea;

    bool nearerThan(const Nearest& other) const
    {
        return std::tie(squared, x, y) < std::tie(other.squared, other.x, other.y);
    }
};

} // namespace

std::vector<uint32_t> mergeSpecks(HostImage& image, const AreaMap& map, int32_t maxPixels, int32_t threads)
{
    std::vector<uint32_t> owner(map.areas.size());
    std::iota(owner.begin(), owner.end(), 0u);
    auto isSpeck = [&](uint32_t area) { return map.areas[area].pixels <= uint32_t(maxPixels); };
    const size_t count = map.label.size();
    PixelPlane<uint8_t> large(count, 0);
    bool anySpeck = false, anyLarge = false;
    for (size_t i = 0; i < count; ++i) {
        if (map.label[i] == noArea) {
            continue;
        }
        const bool speck = isSpeck(map.label[i]);
        large[i] = speck ? 0 : 1;
        anySpeck = anySpeck || speck;
        anyLarge = anyLarge || !speck;
    }
    if (!anySpeck || !anyLarge) {
        return owner;
    }
    const PixelPlane<uint32_t> nearest = nearestFilled(large, map.width, map.height, threads);
    std::vector<Nearest> best(map.areas.size());
    const auto width = uint32_t(map.width);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t area = map.label[i];
        if (area == noArea || large[i] != 0) {
            continue;
        }
        const uint32_t target = nearest[i];
        const int64_t dx = int64_t(target % width) - int64_t(i % width);
        const int64_t dy = int64_t(target / width) - int64_t(i / width);
        const Nearest candidate{uint64_t(dx * dx + dy * dy), int32_t(target % width), int32_t(target / width), target};
        if (candidate.nearerThan(best[area])) {
            best[area] = candidate;
        }
    }
    for (size_t area = 0; area < map.areas.size(); ++area) {
        if (best[area].pixel != noArea) {
            owner[area] = map.label[best[area].pixel];
        }
    }
    const size_t planes = size_t(image.planes);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t area = map.label[i];
        if (area == noArea || large[i] != 0) {
            continue;
        }
        const uint8_t* source = image.pixels.data() + size_t(best[area].pixel) * planes;
        uint8_t* target = image.pixels.data() + i * planes;
        for (int32_t c = 0; c < image.colorPlanes; ++c) {
            target[c] = source[c];
        }
    }
    return owner;
}

} // namespace vendrel::stages
