// The 8-connected pieces of line, with every piece that touches the image border counted as one.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "vendrel/host/PixelPlane.h"

namespace vendrel::stages {

class LineComponents {
public:
    // Labels the line pixels (those that are 0 in the window mask inWindow), row by row over runs of them.
    LineComponents(std::span<const uint8_t> inWindow, int32_t width, int32_t height);

    // The piece the line pixel (x, y) belongs to; -1 for a pixel that was no line pixel.
    int32_t at(int32_t x, int32_t y) const;

    struct Span {
        int32_t y, left, right;
    };
    // The runs of a piece (as at() names it) that meet the rectangle of rows top to bottom and columns left to
    // right, row by row, west to east. A small piece's runs are kept together, in raster order; a large one's are
    // found among the runs of those rows, so that the runs of the largest pieces, which may be most of an image's,
    // are not copied.
    template <typename Visit>
    void forEachSpan(int32_t piece, int32_t top, int32_t bottom, int32_t left, int32_t right, Visit visit) const
    {
        if (piece < 0 || size_t(piece) + 1 >= pieceStart_.size()) {
            return;
        }
        if (std::binary_search(largePieces_.begin(), largePieces_.end(), piece)) {
            forEachSpanInRows(piece, top, bottom, left, right, visit);
            return;
        }
        const auto first = spans_.begin() + pieceStart_[size_t(piece)];
        const auto last = spans_.begin() + pieceStart_[size_t(piece) + 1];
        for (auto span = std::lower_bound(first, last, top, [](const Span&s, int32_t row) { return s.y < row; });
             span != last && span->y <= bottom; ++span) {
            if (span->right >= left && span->left <= right) {
                visit(*span);
            }
        }
    }

private:
    struct Run {
        int32_t left, right;
    };
    // Label 0 is the border's; each run's own label is its place among the runs plus one.
    int32_t labelOf(const Run* run) const { return int32_t(run - runs_.data()) + 1; }
    int32_t find(int32_t label) const;
    void join(int32_t a, int32_t b);
    void indexPieces();

    template <typename Visit>
    void forEachSpanInRows(int32_t piece, int32_t top, int32_t bottom, int32_t left, int32_t right, Visit visit) const
    {
        top = std::max(top, 0);
        bottom = std::min(bottom, int32_t(rowStart_.size()) - 2);
        for (int32_t y = top; y <= bottom; ++y) {
            const Run* first = runs_.data() + rowStart_[size_t(y)];
            const Run* last = runs_.data() + rowStart_[size_t(y) + 1];
            for (const Run *run =
                     std::lower_bound(first, last, left, [](const Run&r, int32_t x) { return r.right < x; });
                 run != last && run->left <= right; ++run) {
                if (find(labelOf(run)) == piece) {
                    visit(Span{y, run->left, run->right});
                }
            }
        }
    }

    PixelPlane<Run> runs_;
    std::vector<uint32_t> rowStart_; // the first run of each row; one more entry at the end
    mutable PixelPlane<int32_t> parent_;
    PixelPlane<Span> spans_;           // the small pieces' runs, grouped by piece, each group in raster order
    PixelPlane<uint32_t> pieceStart_;  // per label: where its group starts in spans_ (empty unless a small piece)
    std::vector<int32_t> largePieces_; // the pieces whose runs are not grouped, in order
};

} // namespace vendrel::stages
