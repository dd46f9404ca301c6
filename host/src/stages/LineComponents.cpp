#include "LineComponents.h"

#include "vendrel/host/Cancellation.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "ByteRuns.h"

namespace vendrel::stages {

namespace {

constexpr int32_t borderLabel = 0;

// How many runs of zero bytes the mask holds, eight bytes a word: the runs are counted first, so that their store
// is made once.
size_t countRuns(std::span<const uint8_t> inWindow, int32_t width, int32_t height)
{
    constexpr uint64_t low7 = 0x7f7f7f7f7f7f7f7full, high = 0x8080808080808080ull;
    size_t count = 0;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = inWindow.data() + size_t(y) * size_t(width);
        bool zeroBefore = false; // whether the byte before the word is zero
        int32_t x = 0;
        for (; x + 8 <= width; x += 8) {
            uint64_t word;
            std::memcpy(&word, row + x, sizeof word);
            if constexpr (std::endian::native == std::endian::big) {
                word = __builtin_bswap64(word);
            }
            const uint64_t zero = ~(((word & low7) + low7) | word) & high; // 0x80 in each zero byte
            const uint64_t starts = zero & ~(zero << 8 | (zeroBefore ? 0x80u : 0u));
            count += size_t(std::popcount(starts));
            zeroBefore = (zero >> 63) != 0;
        }
        for (; x < width; ++x) {
            count += row[x] == 0 && !zeroBefore;
            zeroBefore = row[x] == 0;
        }
    }
    return count;
}

} // namespace

LineComponents::LineComponents(std::span<const uint8_t> inWindow, int32_t width, int32_t height)
    : rowStart_(size_t(height) + 1)
{
    const size_t count = countRuns(inWindow, width, height);
    runs_.reserve(count);
    parent_.reserve(count + 1);
    parent_.push_back(borderLabel);
    for (int32_t y = 0; y < height; ++y) {
        if ((y & 63) == 0) {
            throwIfCancelled();
        }
        rowStart_[size_t(y)] = uint32_t(runs_.size());
        const uint32_t aboveEnd = rowStart_[size_t(y)];
        uint32_t scan = y > 0 ? rowStart_[size_t(y - 1)] : 0;
        forEachZeroRun(inWindow.data() + size_t(y) * size_t(width), width, [&](int32_t left, int32_t right) {
            const int32_t label = int32_t(parent_.size());
            parent_.push_back(label);
            runs_.push_back(Run{left, right});
            if (y == 0 || y + 1 == height || left == 0 || right + 1 == width) {
                join(label, borderLabel);
            }
            // Runs of the row above that touch this one, diagonals included.
            while (scan < aboveEnd && runs_[scan].right < left - 1) {
                ++scan;
            }
            for (uint32_t k = scan; k < aboveEnd && runs_[k].left <= right + 1; ++k) {
                join(label, int32_t(k) + 1);
            }
        });
    }
    rowStart_[size_t(height)] = uint32_t(runs_.size());
    indexPieces();
}

void LineComponents::indexPieces()
{
    // Pieces of more runs than this are looked up in the rows instead: a wide look around an end point meets few
    // runs of other pieces where the pieces are small, and a large piece's rows hold mostly its own runs.
    constexpr uint32_t largePiece = 4096;
    // A counting sort of the small pieces' runs by their piece keeps each piece's runs in raster order.
    pieceStart_.assign(parent_.size() + 1, 0);
    for (size_t i = 0; i < runs_.size(); ++i) {
        ++pieceStart_[size_t(find(int32_t(i) + 1)) + 1];
    }
    for (size_t label = 0; label + 1 < pieceStart_.size(); ++label) {
        if (pieceStart_[label + 1] > largePiece) {
            largePieces_.push_back(int32_t(label));
            pieceStart_[label + 1] = 0;
        }
    }
    for (size_t label = 1; label < pieceStart_.size(); ++label) {
        pieceStart_[label] += pieceStart_[label - 1];
    }
    spans_.resize(pieceStart_.back());
    // Each group is filled from its start, which moves to the next group's start; then the starts are put back.
    int32_t y = 0;
    for (size_t i = 0; i < runs_.size(); ++i) {
        while (rowStart_[size_t(y) + 1] <= i) {
            ++y;
        }
        const int32_t piece = find(int32_t(i) + 1);
        if (!std::binary_search(largePieces_.begin(), largePieces_.end(), piece)) {
            spans_[pieceStart_[size_t(piece)]++] = Span{y, runs_[i].left, runs_[i].right};
        }
    }
    for (size_t label = pieceStart_.size() - 1; label > 0; --label) {
        pieceStart_[label] = pieceStart_[label - 1];
    }
    pieceStart_[0] = 0;
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
    return find(labelOf(&*(run - 1)));
}

} // namespace vendrel::stages
