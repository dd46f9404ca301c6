#include "Skeleton.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>

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
        return x >= 0 && y >= 0 && x < width && y < height &&
               (state[size_t(y) * size_t(width) + size_t(x)] & skeletonBit);
    }
    // The eight neighbours as bits, N first.
    unsigned ring(int32_t x, int32_t y) const
    {
        unsigned bits = 0;
        if (x > 0 && y > 0 && x + 1 < width && y + 1 < height) {
            const uint8_t* p = state.data() + size_t(y) * size_t(width) + size_t(x);
            const ptrdiff_t w = width;
            const uint8_t n[8] = {p[-w], p[-w + 1], p[1], p[w + 1], p[w], p[w - 1], p[-1], p[-w - 1]};
            for (int k = 0; k < 8; ++k) {
                bits |= unsigned((n[k] & skeletonBit) != 0) << k;
            }
            return bits;
        }
        for (int k = 0; k < 8; ++k) {
            bits |= unsigned(on(x + ringX[k], y + ringY[k])) << k;
        }
        return bits;
    }
};

int countTransitions(unsigned ring)
{
    int count = 0;
    for (int k = 0; k < 8; ++k) {
        count += !((ring >> k) & 1u) && ((ring >> ((k + 1) & 7)) & 1u);
    }
    return count;
}

// The 8-connectivity number of the pixel (Yokoi): how many pieces of line meet at it. Removing a pixel with a
// straight neighbour off the line and connectivity number 1 changes no connection (a simple pixel).
int connectivityNumber(unsigned ring)
{
    auto off = [ring](int k) { return int(!((ring >> (k & 7)) & 1u)); };
    int count = 0;
    for (int k = 0; k < 8; k += 2) {
        count += off(k) - off(k) * off(k + 1) * off(k + 2);
    }
    return count;
}

// The ring of a 3 x 3 neighbourhood given as three rows of three bits (west to east), top row first; the
// centre bit is left out.
unsigned ringOfSquare(unsigned square)
{
    const unsigned top = square & 7u, middle = (square >> 3) & 7u, bottom = (square >> 6) & 7u;
    return ((top >> 1) & 1u) | ((top >> 2) & 1u) << 1 | ((middle >> 2) & 1u) << 2 | ((bottom >> 2) & 1u) << 3 |
           ((bottom >> 1) & 1u) << 4 | (bottom & 1u) << 5 | (middle & 1u) << 6 | (top & 1u) << 7;
}

struct Tables {
    uint8_t transitions[256];
    bool removable[256];       // simple and not the tip of a line
    bool removableSquare[512]; // the same, by the 3 x 3 neighbourhood's rows of bits
    Tables()
    {
        for (unsigned ring = 0; ring < 256; ++ring) {
            transitions[ring] = uint8_t(countTransitions(ring));
            const bool straightOff = (ring & 0x55u) != 0x55u;
            removable[ring] = straightOff && connectivityNumber(ring) == 1 && __builtin_popcount(ring) >= 2;
        }
        for (unsigned square = 0; square < 512; ++square) {
            removableSquare[square] = removable[ringOfSquare(square)];
        }
    }
};

// The skeleton bits of three consecutive bytes as three bits, west first: one load, one multiplication.
unsigned skeletonBitsOfThree(const uint8_t* p)
{
    uint32_t bytes;
    std::memcpy(&bytes, p, sizeof bytes);
    const uint32_t bits = (bytes >> 1) & 0x010101u; // skeletonBit of each byte moved to bits 0, 8 and 16
    return ((bits * 0x4081u) >> 14) & 7u;           // gathered into bits 14 to 16
}

const Tables& tables()
{
    static const Tables instance;
    return instance;
}

int transitions(unsigned ring)
{
    return tables().transitions[ring];
}

// City-block distance of each line pixel to the nearest pixel off the line (outside the image counts as off),
// capped at 255; 0 off the line. Both passes are free of branches: a pixel off the line is capped at 0.
std::vector<uint8_t> depths(const std::vector<uint8_t>& state, int32_t width, int32_t height)
{
    std::vector<uint8_t> depth(state.size());
    const std::vector<uint8_t> outside(size_t(width), 0);
    for (int32_t y = 0; y < height; ++y) {
        const size_t row = size_t(y) * size_t(width);
        const uint8_t* up = y > 0 ? depth.data() + row - size_t(width) : outside.data();
        const uint8_t* line = state.data() + row;
        uint8_t* out = depth.data() + row;
        unsigned left = 0;
        for (int32_t x = 0; x < width; ++x) {
            const unsigned cap = (line[x] & lineBit) ? 255u : 0u;
            left = std::min(cap, std::min(unsigned(up[x]), left) + 1);
            out[x] = uint8_t(left);
        }
    }
    for (int32_t y = height - 1; y >= 0; --y) {
        const size_t row = size_t(y) * size_t(width);
        const uint8_t* down = y + 1 < height ? depth.data() + row + size_t(width) : outside.data();
        uint8_t* out = depth.data() + row;
        unsigned right = 0;
        for (int32_t x = width - 1; x >= 0; --x) {
            right = std::min(unsigned(out[x]), std::min(unsigned(down[x]), right) + 1);
            out[x] = uint8_t(right);
        }
    }
    return depth;
}

// Whether the line pixel i at (x, y) may go. Away from the image's edges (with a byte to spare on the right,
// since each row of three is read as four bytes) the neighbourhood is read row by row.
bool removable(const Grid& grid, const Tables& table, size_t i, int32_t x, int32_t y)
{
    if constexpr (std::endian::native == std::endian::little) {
        if (x > 0 && y > 0 && x + 2 < grid.width && y + 1 < grid.height) {
            const uint8_t* centre = grid.state.data() + i;
            const ptrdiff_t w = grid.width;
            const unsigned square = skeletonBitsOfThree(centre - w - 1) | skeletonBitsOfThree(centre - 1) << 3 |
                                    skeletonBitsOfThree(centre + w - 1) << 6;
            return table.removableSquare[square];
        }
    }
    return table.removable[grid.ring(x, y)];
}

} // namespace

void thinLines(std::vector<uint8_t>& state, int32_t width, int32_t height)
{
    Grid grid{state, width, height};
    const std::vector<uint8_t> depth = depths(state, width, height);
    // Line pixels by depth (a counting sort), each depth in raster order.
    std::vector<uint32_t> count(257, 0);
    for (uint8_t d : depth) {
        ++count[size_t(d) + 1];
    }
    for (size_t d = 1; d < count.size(); ++d) {
        count[d] += count[d - 1];
    }
    // Pixels off the line all go to one spare slot at the end, so that the loop needs no branch.
    const uint32_t lineStart = count[1];
    std::vector<uint32_t> order(depth.size() - lineStart + 1);
    std::vector<uint32_t> cursor(256);
    cursor[0] = uint32_t(order.size() - 1);
    for (size_t d = 1; d < cursor.size(); ++d) {
        cursor[d] = count[d] - lineStart;
    }
    for (size_t i = 0; i < depth.size(); ++i) {
        const uint8_t d = depth[i];
        order[cursor[d]] = uint32_t(i);
        cursor[d] += d != 0;
    }
    order.pop_back();
    for (uint8_t& s : state) {
        s = uint8_t(s | ((s & lineBit) << 1)); // every line pixel starts on the skeleton
    }
    // Peel the line from the outside in, one depth at a time: a pixel goes when its removal changes no
    // connection and it is no line's tip.
    const Tables& table = tables();
    const double perRow = 1.0 / double(width);
    for (uint32_t i : order) {
        // The row by a multiplication rather than a division, corrected when rounding missed it.
        int32_t y = int32_t(double(i) * perRow);
        y -= int32_t(size_t(y) * size_t(width) > i);
        y += int32_t(size_t(y + 1) * size_t(width) <= i);
        const int32_t x = int32_t(i - uint32_t(y) * uint32_t(width));
        if (removable(grid, table, i, x, y)) {
            state[i] = uint8_t(state[i] & ~skeletonBit);
        }
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
                const bool seen =
                    (nx == previous[0][0] && ny == previous[0][1]) || (nx == previous[1][0] && ny == previous[1][1]);
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
