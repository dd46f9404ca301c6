#include "DistinctColours.h"

#include <algorithm>
#include <numeric>

namespace vendrel::stages {

namespace {

// Groups of areas that count as one: each group's representative is its first area in seed order.
class AreaGroups {
public:
    explicit AreaGroups(const std::vector<uint32_t>& owner) : parent_(owner) {}
    uint32_t find(uint32_t area)
    {
        while (parent_[area] != area) {
            parent_[area] = parent_[parent_[area]];
            area = parent_[area];
        }
        return area;
    }
    void join(uint32_t a, uint32_t b)
    {
        a = find(a), b = find(b);
        if (a != b) {
            parent_[std::max(a, b)] = std::min(a, b);
        }
    }

private:
    std::vector<uint32_t> parent_;
};

// The pairs of areas whose regions touch, each once (smaller number first).
std::vector<std::pair<uint32_t, uint32_t>> touchingAreas(const AreaMap& map, std::span<const uint8_t> filled,
                                                         int32_t threads)
{
    const PixelPlane<uint32_t> nearest = nearestFilled(filled, map.width, map.height, threads);
    auto regionOf = [&](size_t i) { return nearest[i] == noArea ? noArea : map.label[nearest[i]]; };
    std::vector<uint64_t> pairs;
    uint64_t last = UINT64_MAX;
    auto note = [&](uint32_t a, uint32_t b) {
        if (a == b || a == noArea || b == noArea) {
            return;
        }
        const uint64_t pair = uint64_t(std::min(a, b)) << 32 | std::max(a, b);
        if (pair != last) {
            pairs.push_back(pair);
            last = pair;
        }
    };
    const auto width = size_t(map.width);
    std::vector<uint32_t> above(width, noArea), row(width);
    for (size_t y = 0; y < size_t(map.height); ++y) {
        for (size_t x = 0; x < width; ++x) {
            row[x] = regionOf(y * width + x);
            if (x > 0) {
                note(row[x - 1], row[x]);
            }
            note(above[x], row[x]);
        }
        std::swap(above, row);
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    std::vector<std::pair<uint32_t, uint32_t>> result;
    result.reserve(pairs.size());
    for (uint64_t pair : pairs) {
        result.emplace_back(uint32_t(pair >> 32), uint32_t(pair & UINT32_MAX));
    }
    return result;
}

// The colours drawn once the palette has none left: a linear congruential generator from a fixed start.
class ColourGenerator {
public:
    AreaColour next(int32_t channels)
    {
        AreaColour colour = {255, 255, 255, 255};
        for (int32_t c = 0; c < std::min(channels, 3); ++c) {
            colour[size_t(c)] = uint8_t(draw() & 255);
        }
        return colour;
    }

private:
    uint32_t draw()
    {
        state_ = state_ * 214013u + 2531011u;
        return (state_ >> 16) & 32767u;
    }
    uint32_t state_ = 1;
};

constexpr int kGeneratorAttempts = 100000;

} // namespace

std::string distinguishNeighbours(HostImage& image, const AreaMap& map, const std::vector<uint32_t>& owner,
                                  std::span<const uint8_t> filled, const AreaColours& colours, int32_t threads)
{
    const size_t areaCount = map.areas.size();
    if (areaCount < 2) {
        return "";
    }
    auto colourAt = [&](uint32_t pixel) {
        AreaColour colour = {255, 255, 255, 255};
        const uint8_t* p = image.pixels.data() + size_t(pixel) * size_t(image.planes);
        std::copy(p, p + image.colorPlanes, colour.begin());
        return colour;
    };
    const bool flagInUse = colours.flagAreas.on || colours.joinAreas.on;
    auto isFlag = [&](const AreaColour& colour) { return flagInUse && colours.same(colour, colours.flag); };

    const std::vector<std::pair<uint32_t, uint32_t>> touching = touchingAreas(map, filled, threads);
    AreaGroups groups(owner);
    // A small area the filter joined took the colour of what lay nearest; when that is a touching area, the two
    // are one region.
    if (colours.joinAreas.on) {
        std::vector<std::vector<uint32_t>> around(areaCount);
        for (const auto& [a, b] : touching) {
            around[a].push_back(b), around[b].push_back(a);
        }
        for (uint32_t area = 0; area < areaCount; ++area) {
            const AreaMap::Area& facts = map.areas[area];
            const AreaColour colour = colourAt(facts.seed);
            if (owner[area] != area || isFlag(colour) ||
                !colours.isSmall(colours.joinAreas, facts.pixels, facts.maxX - facts.minX, facts.maxY - facts.minY)) {
                continue;
            }
            std::sort(around[area].begin(), around[area].end());
            for (uint32_t other : around[area]) {
                if (colours.same(colourAt(map.areas[groups.find(other)].seed), colour)) {
                    groups.join(area, other);
                    break;
                }
            }
        }
    }

    std::vector<std::vector<uint32_t>> neighbours(areaCount);
    for (const auto& [a, b] : touching) {
        const uint32_t ga = groups.find(a), gb = groups.find(b);
        if (ga != gb) {
            neighbours[ga].push_back(gb), neighbours[gb].push_back(ga);
        }
    }
    std::vector<AreaColour> colour(areaCount);
    std::vector<uint8_t> changed(areaCount, 0);
    for (uint32_t area = 0; area < areaCount; ++area) {
        if (groups.find(area) == area) {
            colour[area] = colourAt(map.areas[area].seed);
            std::sort(neighbours[area].begin(), neighbours[area].end());
            neighbours[area].erase(std::unique(neighbours[area].begin(), neighbours[area].end()),
                                   neighbours[area].end());
        }
    }
    auto heldAround = [&](uint32_t group, const AreaColour& candidate) {
        return std::any_of(neighbours[group].begin(), neighbours[group].end(),
                           [&](uint32_t other) { return colours.same(colour[other], candidate); });
    };
    auto inPalette = [&](const AreaColour& candidate) {
        return std::any_of(colours.palette.begin(), colours.palette.end(),
                           [&](const AreaColour& entry) { return colours.same(entry, candidate); });
    };

    ColourGenerator generator;
    size_t drawn = 0;
    for (uint32_t group = 0; group < areaCount; ++group) {
        if (groups.find(group) != group || isFlag(colour[group])) {
            continue;
        }
        const bool clash = std::any_of(neighbours[group].begin(), neighbours[group].end(), [&](uint32_t other) {
            return (other < group || isFlag(colour[other])) && colours.same(colour[other], colour[group]);
        });
        if (!clash) {
            continue;
        }
        auto usable = [&](const AreaColour& candidate) {
            return colours.acceptable(candidate) && !isFlag(candidate) && !heldAround(group, candidate);
        };
        const size_t paletteSize = colours.palette.size();
        size_t start = 0;
        for (size_t i = 0; i < paletteSize; ++i) {
            if (colours.same(colours.palette[i], colour[group])) {
                start = i + 1;
                break;
            }
        }
        bool found = false;
        for (size_t k = 0; k < paletteSize && !found; ++k) {
            const AreaColour& candidate = colours.palette[(start + k) % paletteSize];
            if (usable(candidate)) {
                colour[group] = candidate;
                found = true;
            }
        }
        for (int attempt = 0; !found && attempt < kGeneratorAttempts; ++attempt) {
            const AreaColour candidate = generator.next(colours.channels);
            if (usable(candidate) && !inPalette(candidate)) {
                colour[group] = candidate;
                found = true;
                ++drawn;
            }
        }
        changed[group] = found ? 1 : 0;
    }

    std::vector<uint32_t> groupOf(areaCount);
    for (uint32_t area = 0; area < areaCount; ++area) {
        groupOf[area] = groups.find(area);
    }
    for (size_t i = 0; i < map.label.size(); ++i) {
        if (map.label[i] == noArea) {
            continue;
        }
        const uint32_t group = groupOf[map.label[i]];
        if (changed[group] != 0) {
            uint8_t* p = image.pixels.data() + i * size_t(image.planes);
            std::copy(colour[group].begin(), colour[group].begin() + image.colorPlanes, p);
        }
    }
    if (drawn == 0 || colours.palette.empty()) {
        return "";
    }
    return "the palette's " + std::to_string(colours.palette.size()) +
           " colours are too few for the areas that touch one another: " + std::to_string(drawn) +
           (drawn == 1 ? " area took a random colour" : " areas took random colours");
}

} // namespace vendrel::stages
