// A coarse map of where usable pixels may lie: one bit per block of 16 x 16 pixels, set when the block holds
// (or may hold) a pixel the join pass can take its colour from. It gives each seed a lower bound of the
// squared distance to the nearest such pixel, so that the walk does not look at pixels nearer than that.
#pragma once

#include <cstddef>
#include <vector>

#include "PITypes.h"

class UsableBlocks {
public:
    static constexpr int32 kShift = 4;
    static constexpr int32 kSide = 1 << kShift;

    UsableBlocks(int32 width, int32 height);

    // Sets the blocks that meet the pixel rectangle from (x0, y0) to (x1, y1), inclusive.
    void Mark(int32 x0, int32 y0, int32 x1, int32 y1);
    bool Any() const { return marked_ != 0; }
    // Whether the block holding pixel (x, y) is set.
    bool IsMarked(int32 x, int32 y) const { return Set(x >> kShift, y >> kShift); }
    // The smallest squared distance from (x, y) to a set block, or a value above cap when none lies within
    // cap of it.
    uint64_t NearestSquared(int32 x, int32 y, uint64_t cap) const;

private:
    bool Set(int32 bx, int32 by) const { return (bits_[Word(bx, by)] >> (bx & 63)) & 1u; }
    size_t Word(int32 bx, int32 by) const { return size_t(by) * size_t(wordsPerRow_) + size_t(bx >> 6); }
    // The smallest horizontal pixel gap from column x to a set block of block row by whose block column
    // lies within [lo, hi]; -1 when there is none.
    int64_t SidewaysInRow(int32 by, int32 x, int32 lo, int32 hi) const;

    int32 blocksWide_;
    int32 blocksHigh_;
    int32 wordsPerRow_;
    std::vector<uint64_t> bits_;
    size_t marked_ = 0;
};
