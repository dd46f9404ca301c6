#include "Skeleton.h"

// Where the target has no vector registers (32-bit x86 without SSE) the compiler warns that the row scans' vectors
// are passed between functions unlike in builds that have them; those functions are inline in this file alone, so
// that does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"

#include "RowDistance.h"
#include "vendrel/host/PixelPlane.h"
#include "vendrel/host/Cancellation.h"

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
    std::span<uint8_t> state;
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
    bool tipSquare[512];       // one run of neighbours on the skeleton, by the 3 x 3 neighbourhood's rows of bits
    Tables()
    {
        for (unsigned ring = 0; ring < 256; ++ring) {
            transitions[ring] = uint8_t(countTransitions(ring));
            const bool straightOff = (ring & 0x55u) != 0x55u;
            removable[ring] = straightOff && connectivityNumber(ring) == 1 && __builtin_popcount(ring) >= 2;
        }
        for (unsigned square = 0; square < 512; ++square) {
            tipSquare[square] = transitions[ringOfSquare(square)] == 1;
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

// The skeleton bits of eight consecutive bytes as eight bits, west first.
unsigned skeletonBitsOfEight(const uint8_t* p)
{
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    uint64_t bits = (word >> 1) & 0x0101010101010101ull; // skeletonBit of each byte moved to its lowest bit
    if constexpr (std::endian::native == std::endian::big) {
        bits = __builtin_bswap64(bits);
    }
    return unsigned(bits * 0x0102040810204080ull >> 56); // the eight gathered into one byte
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

// The peeling: every line pixel is looked at once, in order of its depth (the city-block distance to the nearest
// pixel off the line, outside the image counting as off, capped at 255) and within a depth in raster order, and
// goes when its removal changes no connection and it is no line's tip.
//
// A pixel's neighbours differ from it in depth by at most two, so the look at row y for depth d needs rows y - 1
// to y + 1 done up to depth d - 1 and row y - 1 done at depth d, and must come before row y + 1 at depth d and
// rows y - 1 to y + 1 at depth d + 1. Visiting (y, d) at step y + 2d meets all of that; so the work moves down the
// image as a band of twice the greatest depth in rows, which stays in the cache. The final depths of a row are
// worked out just ahead of the band, and its line pixels chained by depth in one of a ring of row slots.
class Thinning {
public:
    Thinning(std::span<uint8_t> state, int32_t width, int32_t height)
        : grid_{state, width, height}, table_(tables()), depth_(state.size()), outside_(size_t(width), 0),
          rowGreatest_(size_t(height), 0)
    {
    }

    void run()
    {
        const int32_t height = grid_.height;
        // Row y's chains are last read at step y + 2 * depth - 1, so twice the greatest depth plus one rows in the ring
        // suffice; the first pass's distances bound the final ones from above.
        const unsigned bound = distancesFromBelow();
        slots_ = 2 * size_t(bound) + 2;
        nexts_.resize(slots_ * size_t(grid_.width));
        firsts_.resize(slots_ * (size_t(bound) + 1));
        unsigned greatest = 0;
        for (int64_t step = 0; step < height || step <= int64_t(height) - 2 + 2 * int64_t(greatest); ++step) {
            if ((step & 31) == 0) {
                throwIfCancelled();
            }
            if (step < height) {
                finishRow(int32_t(step), bound);
                greatest = std::max(greatest, unsigned(rowGreatest_[size_t(step)]));
            }
            for (unsigned d = 1; d <= greatest && step + 1 >= 2 * int64_t(d); ++d) {
                const int64_t y = step + 1 - 2 * int64_t(d);
                if (y < height && rowGreatest_[size_t(y)] >= d) {
                    peelRow(int32_t(y), d, bound);
                }
            }
        }
    }

private:
    // The first of the two passes of the distance: from the bottom right, the nearest pixel off the line below or
    // to the right. Answers the greatest distance found.
    unsigned distancesFromBelow()
    {
        const int32_t width = grid_.width;
        unsigned greatest = 0;
        for (int32_t y = grid_.height - 1; y >= 0; --y) {
            if ((y & 63) == 0) {
                throwIfCancelled();
            }
            const size_t row = size_t(y) * size_t(width);
            const uint8_t* down = y + 1 < grid_.height ? depth_.data() + row + size_t(width) : outside_.data();
            uint8_t* out = depth_.data() + row;
            greatest = std::max(greatest, scanWestward(grid_.state.data() + row, lineBit, down, out, width));
        }
        return greatest;
    }

    // The second pass for row y, from the top left, giving its final depths; its line pixels go on the skeleton.
    // Then the row's pixels of each depth are chained west to east (each points to the next of its depth; a chain
    // ends at width), from the east end so that no step waits on the one before.
    void finishRow(int32_t y, unsigned bound)
    {
        const int32_t width = grid_.width;
        const size_t row = size_t(y) * size_t(width);
        const uint8_t* up = y > 0 ? depth_.data() + row - size_t(width) : outside_.data();
        uint8_t* out = depth_.data() + row;
        uint8_t* line = grid_.state.data() + row;
        const unsigned greatest = scanEastward(up, out, width);
        copyBit(line, width, lineBit, skeletonBit);
        rowGreatest_[size_t(y)] = uint8_t(greatest);
        if (greatest == 0) {
            return;
        }
        int32_t* first = firsts_.data() + (size_t(y) % slots_) * (size_t(bound) + 1);
        int32_t* next = nexts_.data() + (size_t(y) % slots_) * size_t(width);
        std::fill(first, first + greatest + 1, width);
        auto chain = [&](int32_t x) {
            const unsigned d = out[x];
            next[x] = first[d];
            first[d] = x;
        };
        // Pixels off the line (depth 0) are never peeled: they are passed over eight at a time.
        int32_t x = width;
        while (x % 8 != 0) {
            chain(--x);
        }
        constexpr uint64_t low7 = 0x7f7f7f7f7f7f7f7full, high = 0x8080808080808080ull;
        for (x -= 8; x >= 0; x -= 8) {
            uint64_t word;
            std::memcpy(&word, out + x, sizeof word);
            if constexpr (std::endian::native == std::endian::big) {
                word = __builtin_bswap64(word);
            }
            for (uint64_t deep = (((word & low7) + low7) | word) & high; deep != 0;) {
                const int bit = 63 - std::countl_zero(deep);
                chain(x + bit / 8);
                deep &= ~(uint64_t(1) << bit);
            }
        }
    }

    // The pixels of depth d in row y, west to east.
    void peelRow(int32_t y, unsigned d, unsigned bound)
    {
        const int32_t width = grid_.width;
        const int32_t* next = nexts_.data() + (size_t(y) % slots_) * size_t(width);
        const size_t row = size_t(y) * size_t(width);
        const bool innerRow = y > 0 && y + 1 < grid_.height;
        for (int32_t x = firsts_[(size_t(y) % slots_) * (size_t(bound) + 1) + d]; x < width; x = next[x]) {
            peel(row, x, y, innerRow);
        }
    }

    // Takes the pixel off the skeleton when it may go. Away from the image's edges (with a byte to spare on the
    // right, since each row of three is read as four bytes) the neighbourhood is read row by row.
    void peel(size_t row, int32_t x, int32_t y, bool innerRow)
    {
        uint8_t* centre = grid_.state.data() + row + size_t(x);
        bool goes;
        if (std::endian::native == std::endian::little && innerRow && x > 0 && x + 2 < grid_.width) {
            const ptrdiff_t w = grid_.width;
            // The pixel to the west may have just gone: its row is read a byte at a time, so that the read is
            // served from that store rather than waiting for it to reach the cache.
            const unsigned middle = unsigned(centre[-1] & skeletonBit) >> 1 | unsigned(centre[1] & skeletonBit) << 1;
            const unsigned square =
                skeletonBitsOfThree(centre - w - 1) | middle << 3 | skeletonBitsOfThree(centre + w - 1) << 6;
            goes = table_.removableSquare[square];
        } else {
            goes = table_.removable[grid_.ring(x, y)];
        }
        *centre = uint8_t(*centre & ~(unsigned(goes) << 1));
    }

    Grid grid_;
    const Tables& table_;
    PixelPlane<uint8_t> depth_;
    const std::vector<uint8_t> outside_;
    std::vector<uint8_t> rowGreatest_;
    size_t slots_ = 0;            // rows in the ring of row lists
    std::vector<int32_t> nexts_;  // per slot: each pixel's next pixel of the same depth in the row
    std::vector<int32_t> firsts_; // per slot: each depth's first pixel in the row
};

} // namespace

void thinLines(std::span<uint8_t> state, int32_t width, int32_t height)
{
    Thinning(state, width, height).run();
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

std::vector<EndPoint> findEndPoints(std::span<const uint8_t> state, int32_t width, int32_t height)
{
    Grid grid{std::span<uint8_t>(const_cast<uint8_t*>(state.data()), state.size()), width, height};
    const Tables& table = tables();
    std::vector<EndPoint> points;
    // A tip of the skeleton (one run of neighbours on it) is an end point when its branch is long enough.
    auto tip = [&](int32_t x, int32_t y) {
        if (std::endian::native == std::endian::little && x > 0 && y > 0 && x + 2 < width && y + 1 < height) {
            const uint8_t* centre = state.data() + size_t(y) * size_t(width) + size_t(x);
            return table.tipSquare[skeletonBitsOfThree(centre - width - 1) | skeletonBitsOfThree(centre - 1) << 3 |
                                   skeletonBitsOfThree(centre + width - 1) << 6];
        }
        return table.transitions[grid.ring(x, y)] == 1;
    };
    auto look = [&](int32_t x, int32_t y) {
        int32_t backX = x, backY = y;
        if (walkBranch(grid, x, y, backX, backY) < minBranch) {
            return;
        }
        const float dx = float(x - backX), dy = float(y - backY), length = std::hypot(dx, dy);
        points.push_back(EndPoint{x, y, dx / length, dy / length});
    };
    // The rows are read eight pixels at a time, and only the skeleton's pixels among them looked at.
    for (int32_t y = 0; y < height; ++y) {
        if ((y & 63) == 0) {
            throwIfCancelled();
        }
        const uint8_t* row = state.data() + size_t(y) * size_t(width);
        int32_t x = 0;
        for (; x + 8 <= width; x += 8) {
            for (unsigned on = skeletonBitsOfEight(row + x); on != 0; on &= on - 1) {
                const int32_t px = x + std::countr_zero(on);
                if (tip(px, y)) {
                    look(px, y);
                }
            }
        }
        for (; x < width; ++x) {
            if ((row[x] & skeletonBit) && tip(x, y)) {
                look(x, y);
            }
        }
    }
    return points;
}

} // namespace vendrel::stages
