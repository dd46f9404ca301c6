// One bit per pixel, allocated only when a flood has to paint with a colour that still matches the window.
#pragma once

#include <cstddef>
#include <vector>

#include "PITypes.h"

class ClaimedMarks {
public:
    // Makes room for an image of width x height pixels, all unmarked; keeps existing marks when already sized.
    void Prepare(int32 width, int32 height)
    {
        if (width_ == width && height_ == height && !bits_.empty())
            return;
        width_ = width;
        height_ = height;
        bits_.assign((size_t(width) * size_t(height) + 63) / 64, 0);
    }
    bool IsActive() const { return !bits_.empty(); }
    bool IsMarked(int32 x, int32 y) const
    {
        const size_t index = size_t(y) * size_t(width_) + size_t(x);
        return (bits_[index >> 6] >> (index & 63)) & 1u;
    }
    void Mark(int32 x, int32 y)
    {
        const size_t index = size_t(y) * size_t(width_) + size_t(x);
        bits_[index >> 6] |= uint64_t(1) << (index & 63);
    }
    bool Covers(int32 x, int32 y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

private:
    std::vector<uint64_t> bits_;
    int32 width_ = 0;
    int32 height_ = 0;
};
