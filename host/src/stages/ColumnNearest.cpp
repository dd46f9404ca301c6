// Where the target has no vector registers (32-bit x86 without SSE) the compiler warns that vectors are passed
// unlike in builds that have them; they stay inside this file's functions, so that does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"

#include "ColumnNearest.h"

#include <algorithm>

#include "VectorLanes.h"

namespace vendrel::stages {

namespace {

typedef int32_t Ints __attribute__((vector_size(16)));
typedef uint8_t Bytes __attribute__((vector_size(4)));

Ints widen(const uint8_t* p)
{
    return __builtin_convertvector(loadLanes<Bytes>(p), Ints);
}

Ints choose(Ints where, Ints a, Ints b)
{
    return (a & where) | (b & ~where);
}

// Rows in a band: as many as keep its distances within about 256 KB, from 8 to 64.
int32_t bandRowsFor(int32_t width)
{
    return std::clamp(int32_t((256 << 10) / std::max(width, 1)), 8, 64);
}
} // namespace

ColumnNearest::ColumnNearest(const uint8_t* filled, int32_t width, int32_t height, int32_t first)
    : filled_(filled), width_(width), height_(height), bandRows_(bandRowsFor(width)), above_(size_t(width), noneAbove),
      below_(size_t(width), -1), distance_(size_t(bandRows_) * size_t(width))
{
    // Rows above the first are not entered: each column's last filled row among them is looked for upwards.
    for (int32_t q = 0; q < width; ++q) {
        const uint8_t* pixel = filled + size_t(first) * size_t(width) + size_t(q);
        for (int32_t r = first - 1; r >= 0; --r) {
            pixel -= width;
            if (*pixel) {
                above_[size_t(q)] = r;
                break;
            }
        }
    }
}

void ColumnNearest::enterRow(int32_t y, int32_t* nearestRows)
{
    if (!started_ || y >= bandEnd_) {
        startBand(y);
        started_ = true;
    }
    const uint8_t* row = filled_ + size_t(y) * size_t(width_);
    const uint8_t* toNext = distance_.data() + size_t(y - bandTop_) * size_t(width_);
    int32_t* above = above_.data();
    const int32_t* below = below_.data();
    // Four columns at a time in vector registers, whatever the compiler's own vectorizing does.
    int32_t q = 0;
    for (const Ints row4 = Ints{} + y; q + 4 <= width_; q += 4) {
        const Ints filled = widen(row + q) != 0, rowsDown = widen(toNext + q);
        const Ints up = choose(filled, row4, loadLanes<Ints>(above + q));
        storeLanes(above + q, up);
        const Ints down = choose(rowsDown == notInBand, loadLanes<Ints>(below + q), row4 + rowsDown);
        storeLanes(nearestRows + q, choose(row4 - up <= down - row4, up, down));
    }
    for (; q < width_; ++q) {
        const int32_t up = row[q] ? y : above[q];
        above[q] = up;
        const int32_t down = toNext[q] == notInBand ? below[q] : y + toNext[q];
        nearestRows[q] = y - up <= down - y ? up : down;
    }
}

void ColumnNearest::startBand(int32_t top)
{
    bandTop_ = top;
    bandEnd_ = std::min(top + bandRows_, height_);
    const size_t width = size_t(width_);
    for (int32_t r = bandEnd_ - 1; r >= bandTop_; --r) {
        const uint8_t* row = filled_ + size_t(r) * width;
        uint8_t* out = distance_.data() + size_t(r - bandTop_) * width;
        if (r + 1 == bandEnd_) {
            for (size_t q = 0; q < width; ++q) {
                out[q] = row[q] ? 0 : notInBand;
            }
            continue;
        }
        const uint8_t* next = out + width;
        for (size_t q = 0; q < width; ++q) {
            const uint8_t further = next[q] == notInBand ? notInBand : uint8_t(next[q] + 1);
            out[q] = row[q] ? 0 : further;
        }
    }
    // Columns with no filled pixel in the band's last row look below the band, unless their last look found a
    // row there already.
    const uint8_t* last = filled_ + size_t(bandEnd_ - 1) * width;
    for (size_t q = 0; q < width; ++q) {
        if (last[q] || below_[q] >= bandEnd_) {
            continue;
        }
        int32_t r = bandEnd_;
        for (const uint8_t* pixel = filled_ + size_t(r) * width + q; r < height_ && !*pixel; ++r, pixel += width) {
        }
        below_[q] = r < height_ ? r : noneBelow;
    }
}

} // namespace vendrel::stages
