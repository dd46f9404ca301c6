#include "UsableBlocks.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

// The distance in pixels from coordinate v to the block b along one axis, 0 inside it.
int64_t GapTo(int32 v, int32 b)
{
    const int32 first = b << UsableBlocks::kShift;
    const int32 last = first + UsableBlocks::kSide - 1;
    return v < first ? first - v : v > last ? v - last : 0;
}

} // namespace

UsableBlocks::UsableBlocks(int32 width, int32 height)
    : blocksWide_((width + kSide - 1) >> kShift), blocksHigh_((height + kSide - 1) >> kShift),
      wordsPerRow_((blocksWide_ + 63) / 64), bits_(size_t(wordsPerRow_) * size_t(blocksHigh_), 0)
{
}

void UsableBlocks::Mark(int32 x0, int32 y0, int32 x1, int32 y1)
{
    const int32 bx1 = std::min(x1 >> kShift, blocksWide_ - 1);
    const int32 by1 = std::min(y1 >> kShift, blocksHigh_ - 1);
    for (int32 by = std::max(y0, 0) >> kShift; by <= by1; ++by) {
        for (int32 bx = std::max(x0, 0) >> kShift; bx <= bx1; ++bx) {
            uint64_t& word = bits_[Word(bx, by)];
            const uint64_t bit = uint64_t(1) << (bx & 63);
            marked_ += (word & bit) ? 0 : 1;
            word |= bit;
        }
    }
}

int64_t UsableBlocks::SidewaysInRow(int32 by, int32 x, int32 lo, int32 hi) const
{
    lo = std::max(lo, 0);
    hi = std::min(hi, blocksWide_ - 1);
    if (lo > hi)
        return -1;
    const uint64_t* row = bits_.data() + size_t(by) * size_t(wordsPerRow_);
    const auto bitsIn = [row](int32 word, int32 from, int32 to) {
        // The bits of one word between the columns from and to, inclusive.
        const uint64_t low = ~uint64_t(0) << (from & 63);
        const uint64_t high = ~uint64_t(0) >> (63 - (to & 63));
        return row[word] & low & high;
    };
    const int32 bx = std::clamp(x >> kShift, lo, hi);
    int64_t best = -1;
    for (int32 w = bx >> 6; w <= hi >> 6; ++w) {
        const uint64_t bits = bitsIn(w, std::max(bx, w << 6), std::min(hi, (w << 6) + 63));
        if (bits) {
            best = GapTo(x, (w << 6) + std::countr_zero(bits));
            break;
        }
    }
    for (int32 w = bx >> 6; w >= lo >> 6; --w) {
        const uint64_t bits = bitsIn(w, std::max(lo, w << 6), std::min(bx, (w << 6) + 63));
        if (bits) {
            const int64_t gap = GapTo(x, (w << 6) + 63 - std::countl_zero(bits));
            if (best < 0 || gap < best)
                best = gap;
            break;
        }
    }
    return best;
}

uint64_t UsableBlocks::NearestSquared(int32 x, int32 y, uint64_t cap) const
{
    const int32 by = y >> kShift;
    uint64_t best = cap + 1;
    if (!marked_)
        return best;
    for (int32 d = 0; by - d >= 0 || by + d < blocksHigh_; ++d) {
        // Rows d blocks away are at least (d - 1) * side + 1 pixels away vertically.
        const int64_t nearest = d == 0 ? 0 : int64_t(d - 1) * kSide + 1;
        if (uint64_t(nearest * nearest) >= best)
            break;
        const int32 rows[2] = {by - d, by + d};
        for (int n = 0; n < (d ? 2 : 1); ++n) {
            const int32 row = rows[n];
            if (row < 0 || row >= blocksHigh_)
                continue;
            const int64_t vertical = GapTo(y, row);
            const uint64_t vertical2 = uint64_t(vertical * vertical);
            if (vertical2 >= best)
                continue;
            // Blocks farther sideways than the best so far cannot improve it.
            const int64_t reach = int64_t(std::sqrt(double(best - vertical2))) + 1;
            const int32 span = int32(std::min<int64_t>((reach >> kShift) + 1, blocksWide_));
            const int64_t sideways = SidewaysInRow(row, x, (x >> kShift) - span, (x >> kShift) + span);
            if (sideways >= 0)
                best = std::min<uint64_t>(best, vertical2 + uint64_t(sideways * sideways));
        }
    }
    return best;
}
