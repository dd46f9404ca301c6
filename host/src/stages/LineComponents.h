// The 8-connected pieces of line, with every piece that touches the image border counted as one.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vendrel::stages {

class LineComponents {
public:
    // Labels the line pixels (those that are 0 in the window mask inWindow), row by row over runs of them.
    LineComponents(const std::vector<uint8_t>& inWindow, int32_t width, int32_t height);

    // The piece the line pixel (x, y) belongs to; -1 for a pixel that was no line pixel.
    int32_t at(int32_t x, int32_t y) const;

    struct Span {
        int32_t y, left, right;
    };
    // The runs of a piece (as at() names it) in the rows top to bottom, row by row, left to right: what lies of
    // one piece near a pixel is found without looking at the pixels of the others.
    template <typename Visit> void forEachSpan(int32_t piece, int32_t top, int32_t bottom, Visit visit) const
    {
        if (piece < 0 || size_t(piece) + 1 >= pieceStart_.size()) {
            return;
        }
        const auto first = spans_.begin() + pieceStart_[size_t(piece)];
        const auto last = spans_.begin() + pieceStart_[size_t(piece) + 1];
        for (auto span = std::lower_bound(first, last, top, [](const Span&s, int32_t row) { return s.y < row; });
             span != last && span->y <= bottom; ++span) {
            visit(*span);
        }
    }

private:
    struct Run {
        int32_t left, right;
        int32_t label;
    };
    int32_t find(int32_t label) const;
    void join(int32_t a, int32_t b);

    void indexPieces();

    std::vector<Run> runs_;
    std::vector<uint32_t> rowStart_; // the first run of each row; one more entry at the end
    mutable std::vector<int32_t> parent_;
    std::vector<Span> spans_;          // every run, grouped by piece, each group in raster order
    std::vector<uint32_t> pieceStart_; // per label: where its group starts in spans_ (empty unless a piece's root)
};

} // namespace vendrel::stages
