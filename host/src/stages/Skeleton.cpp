#include "Skeleton.h"

#include <cmath>

namespace vendrel::stages {

namespace {

// Neighbour offsets in the thinning's circular order: N, NE, E, SE, S, SW, W, NW.
constexpr int32_t ringX[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int32_t ringY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

// A branch shorter than this is a speck or a thinning spur: its tip is no end point.
constexpr int minBranch = 3;
// How far back along the branch its direction is measured.
constexpr int directionSteps = 8;

struct Grid {
    std::vector<uint8_t>& state;
    int32_t width, height;

    bool on(int32_t x, int32_t y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height && (state[size_t(y) * size_t(width) + size_t(x)] & skeletonBit);
    }
    // The eight neighbours as bits, N first.
    unsigned ring(int32_t x, int32_t y) const
    {
        unsigned bits = 0;
        for (int k = 0; k < 8; ++k) {
            bits |= unsigned(on(x + ringX[k], y + ringY[k])) << k;
        }
        return bits;
    }
};

int transitions(unsigned ring)
{
    int count = 0;
    for (int k = 0; k < 8; ++k) {
        count += !((ring >> k) & 1u) && ((ring >> ((k + 1) & 7)) & 1u);
    }
    return count;
}

bool deletable(unsigned ring, int pass)
{
    const int neighbours = __builtin_popcount(ring);
    if (neighbours < 2 || neighbours > 6 || transitions(ring) != 1) {
        return false;
    }
    const bool n = ring & 1u, e = ring & 4u, s = ring & 16u, w = ring & 64u;
    return pass == 0 ? !(n && e && s) && !(e && s && w) : !(n && e && w) && !(n && s && w);
}

} // namespace


void thinLines(std::vector<uint8_t>& state, int32_t width, int32_t height)
{
    Grid grid{state, width, height};
    std::vector<uint32_t> work;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint8_t& s = state[size_t(y) * size_t(width) + size_t(x)];
            if (!(s & lineBit)) {
                continue;
            }
            s |= skeletonBit;
            const bool inner = x > 0 && y > 0 && x + 1 < width && y + 1 < height &&
                               (state[size_t(y - 1) * size_t(width) + size_t(x)] & lineBit) &&
                               (state[size_t(y + 1) * size_t(width) + size_t(x)] & lineBit) &&
                               (state[size_t(y) * size_t(width) + size_t(x - 1)] & lineBit) &&
                               (state[size_t(y) * size_t(width) + size_t(x + 1)] & lineBit);
            if (!inner) {
                s |= listedBit;
                work.push_back(uint32_t(size_t(y) * size_t(width) + size_t(x)));
            }
        }
    }
    std::vector<uint32_t> removed, next;
    int idlePasses = 0;
    for (int pass = 0; idlePasses < 2 && !work.empty(); pass ^= 1) {
        removed.clear();
        next.clear();
        for (uint32_t i : work) {
            const int32_t x = int32_t(i % uint32_t(width)), y = int32_t(i / uint32_t(width));
            if (deletable(grid.ring(x, y), pass)) {
                removed.push_back(i);
                continue;
            }
            // A pixel kept by both sub-passes with no neighbour removed in between stays for good.
            const int fails = ((state[i] >> failShift) & 3) + 1;
            if (fails >= 2) {
                state[i] = uint8_t(state[i] & ~(listedBit | (3u << failShift)));
            } else {
                state[i] = uint8_t((state[i] & ~(3u << failShift)) | (fails << failShift));
                next.push_back(i);
            }
        }
        for (uint32_t i : removed) {
            state[i] = uint8_t(state[i] & ~(skeletonBit | listedBit | (3u << failShift)));
        }
        for (uint32_t i : removed) {
            const int32_t x = int32_t(i % uint32_t(width)), y = int32_t(i / uint32_t(width));
            for (int k = 0; k < 8; ++k) {
                const int32_t nx = x + ringX[k], ny = y + ringY[k];
                if (!grid.on(nx, ny)) {
                    continue;
                }
                uint8_t& s = state[size_t(ny) * size_t(width) + size_t(nx)];
                s = uint8_t(s & ~(3u << failShift));
                if (!(s & listedBit)) {
                    s |= listedBit;
                    next.push_back(uint32_t(size_t(ny) * size_t(width) + size_t(nx)));
                }
            }
        }
        idlePasses = removed.empty() ? idlePasses + 1 : 0;
        work.swap(next);
    }
    for (uint32_t i : work) {
        state[i] = uint8_t(state[i] & ~(listedBit | (3u << failShift)));
    }
}

namespace {

// Walks from an end point along its branch: answers the number of steps taken before a junction or the other
// end (at most directionSteps) and the pixel reached.
int walkBranch(const Grid& grid, int32_t x, int32_t y, int32_t& endX, int32_t& endY)
{
    int32_t previous[2][2] = {{x, y}, {x, y}};
    int steps = 0;
    while (steps < directionSteps) {
        int chosen = -1;
        // Straight neighbours first, so that a staircase is followed pixel by pixel.
        for (int round = 0; round < 2 && chosen < 0; ++round) {
            for (int k = round; k < 8; k += 2) {
                const int32_t nx = x + ringX[k], ny = y + ringY[k];
                const bool seen = (nx == previous[0][0] && ny == previous[0][1]) ||
                                  (nx == previous[1][0] && ny == previous[1][1]);
                if (!seen && grid.on(nx, ny)) {
                    chosen = k;
                    break;
                }
            }
        }
        if (chosen < 0) {
            break;
        }
        previous[1][0] = previous[0][0], previous[1][1] = previous[0][1];
        previous[0][0] = x, previous[0][1] = y;
        x += ringX[chosen], y += ringY[chosen];
        ++steps;
        if (transitions(grid.ring(x, y)) >= 3) {
            break;
        }
    }
    endX = x, endY = y;
    return steps;
}

} // namespace

std::vector<EndPoint> findEndPoints(const std::vector<uint8_t>& state, int32_t width, int32_t height)
{
    Grid grid{const_cast<std::vector<uint8_t>&>(state), width, height};
    std::vector<EndPoint> points;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = state.data() + size_t(y) * size_t(width);
        for (int32_t x = 0; x < width; ++x) {
            if (!(row[x] & skeletonBit) || transitions(grid.ring(x, y)) != 1) {
                continue;
            }
            int32_t backX = x, backY = y;
            if (walkBranch(grid, x, y, backX, backY) < minBranch) {
                continue;
            }
            const float dx = float(x - backX), dy = float(y - backY), length = std::hypot(dx, dy);
            points.push_back(EndPoint{x, y, dx / length, dy / length});
        }
    }
    return points;
}

} // namespace vendrel::stages
