#include "LineComponents.h"

#include "vendrel/host/Cancellation.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace vendrel::stages {

namespace {

constexpr int32_t borderLabel = 0;

// The first x from x on, below width, whose byte is zero (lineByte) or not zero (!lineByte): eight bytes a word.
int32_t firstWhere(const uint8_t* row, int32_t x, int32_t width, bool lineByte)
{
    constexpr uint64_t low7 = 0x7f7f7f7f7f7f7f7full, high = 0x8080808080808080ull;
    for (; x + 8 <= width; x += 8) {
        uint64_t word;
        std::memcpy(&word, row + x, sizeof word);
        const uint64_t set = (((word & low7) + low7) | word) & high; // 0x80 in each byte that is not zero
        uint64_t wanted = lineByte ? ~set & high : set;
        if (wanted != 0) {
            if constexpr (std::endian::native == std::endian::big) {
                wanted = __builtin_bswap64(wanted);
            }
            return x + std::countr_zero(wanted) / 8;
        }
    }
    while (x < width && (row[x] == 0) != lineByte) {
        ++x;
    }
    return x;
}

} // namespace

LineComponents::LineComponents(const std::vector<uint8_t>& inWindow, int32_t width, int32_t height)
    : rowStart_(size_t(height) + 1), parent_{borderLabel}
{
    for (int32_t y = 0; y < height; ++y) {
        if ((y & 63) == 0) {
            throwIfCancelled();
        }
        rowStart_[size_t(y)] = uint32_t(runs_.size());
        const uint8_t* row = inWindow.data() + size_t(y) * size_t(width);
        const uint32_t above = y > 0 ? rowStart_[size_t(y - 1)] : 0, aboveEnd = rowStart_[size_t(y)];
        uint32_t scan = above;
        for (int32_t x = firstWhere(row, 0, width, true); x < width; x = firstWhere(row, x + 1, width, true)) {
            const int32_t left = x;
            x = firstWhere(row, x, width, false) - 1;
            const int32_t label = int32_t(parent_.size());
            parent_.push_back(label);
            runs_.push_back(Run{left, x, label});
            if (y == 0 || y + 1 == height || left == 0 || x + 1 == width) {
                join(label, borderLabel);
            }
            // Runs of the row above that touch this one, diagonals included.
            while (scan < aboveEnd && runs_[scan].right < left - 1) {
                ++scan;
            }
            for (uint32_t k = scan; k < aboveEnd && runs_[k].left <= x + 1; ++k) {
                join(label, runs_[k].label);
            }
        }
    }
    rowStart_[size_t(height)] = uint32_t(runs_.size());
    indexPieces();
}

void LineComponents::indexPieces()
{
    // A counting sort of the runs by their piece keeps each piece's runs in raster order.
    pieceStart_.assign(parent_.size() + 1, 0);
    std::vector<int32_t> pieceOf(runs_.size());
    for (size_t i = 0; i < runs_.size(); ++i) {
        pieceOf[i] = find(runs_[i].label);
        ++pieceStart_[size_t(pieceOf[i]) + 1];
    }
    for (size_t label = 1; label < pieceStart_.size(); ++label) {
        pieceStart_[label] += pieceStart_[label - 1];
    }
    std::vector<uint32_t> next(pieceStart_.begin(), pieceStart_.end() - 1);
    spans_.resize(runs_.size());
    int32_t y = 0;
    for (size_t i = 0; i < runs_.size(); ++i) {
        while (rowStart_[size_t(y) + 1] <= i) {
            ++y;
        }
        spans_[next[size_t(pieceOf[i])]++] = Span{y, runs_[i].left, runs_[i].right};
    }
}

int32_t LineComponents::find(int32_t label) const
{
    while (parent_[size_t(label)] != label) {
        parent_[size_t(label)] = parent_[size_t(parent_[size_t(label)])];
        label = parent_[size_t(label)];
    }
    return label;
}

void LineComponents::join(int32_t a, int32_t b)
{
    a = find(a), b = find(b);
    if (a != b) {
        parent_[size_t(std::max(a, b))] = std::min(a, b);
    }
}

int32_t LineComponents::at(int32_t x, int32_t y) const
{
    const auto begin = runs_.begin() + rowStart_[size_t(y)], end = runs_.begin() + rowStart_[size_t(y) + 1];
    const auto run = std::upper_bound(begin, end, x, [](int32_t value, const Run& r) { return value < r.left; });
    if (run == begin || (run - 1)->right < x) {
        return -1;
    }
    return find((run - 1)->label);
}

} // namespace vendrel::stages
