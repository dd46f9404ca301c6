// The exact nearest filled pixel of every unfilled pixel, by Euclidean distance, worked out row by row going down:
// the transform behind the flats, the closings' colours and the stages' maps of areas. Among equally near filled
// pixels the one in the leftmost column wins, and in that column the one in the topmost row.
//
// It is separable. Each column's filled pixel nearest to the row is kept up to date as the rows go down
// (ColumnNearest); then, along the row, each run of unfilled pixels takes the nearest of those. A run is bounded by
// filled pixels in its row (or the image's edges), and a pixel beyond such a bound is farther than the bound
// itself, so only the run's own columns and its two bounds take part.
#pragma once

#include <cstddef>
#include <cstdint>
#include <thread>
#include <utility>
#include <vector>

#include "ColumnNearest.h"
#include "vendrel/host/Cancellation.h"

namespace vendrel::stages {

class NearestFilledRows {
public:
    NearestFilledRows(const uint8_t* filled, int32_t width, int32_t height, int32_t first);

    // Rows first..last - 1 (first as given to the constructor), in order: visit(x, y, fromX, fromY) for every
    // unfilled pixel (x, y) that has a nearest filled pixel (fromX, fromY), row by row, west to east. Each row's
    // answers depend on nothing but the filled pixels, so separate bands of rows can be worked on at once. Stops
    // early when a cancel is asked for; the caller throws.
    // beforeRow(y) is called as each row starts.
    template <typename Visit, typename BeforeRow>
    void run(int32_t first, int32_t last, Visit& visit, BeforeRow& beforeRow)
    {
        for (int32_t y = first; y < last; ++y) {
            if ((y & 15) == 0 && cancelRequested()) {
                return;
            }
            beforeRow(y);
            workOutRow(y);
            for (const auto& [a, b] : runs_) {
                for (int32_t p = a; p <= b; ++p) {
                    const int32_t column = nearestColumn_[size_t(p)];
                    if (column >= 0) {
                        visit(p, y, column, rows_[size_t(column)]);
                    }
                }
            }
        }
    }

private:
    // A column's filled pixel nearest to the row: offset = column^2 + rise^2, so that the squared distance to a
    // pixel p of the row is offset - 2 p column + p^2.
    struct Parabola {
        int64_t offset;
        int32_t column;
    };

    void workOutRow(int32_t y);
    bool searchOutwards(int32_t a, int32_t b);
    void lowerEnvelope(int32_t y, int32_t a, int32_t b);

    const uint8_t* filled_;
    int32_t width_;
    ColumnNearest columns_;
    std::vector<std::pair<int32_t, int32_t>> runs_; // the row's runs of unfilled pixels, first and last
    std::vector<int32_t> rows_;                     // per column: the row of its filled pixel nearest to the row
    std::vector<int16_t> rises_;                    // the same as squared distances, held at a cap
    std::vector<int32_t> nearestColumn_;            // per pixel of a run: its answer's column, or -1
    std::vector<Parabola> envelope_;
};

// The transform over the whole image, with threads 2 or more on two threads that share the rows (visit and
// beforeRow are then called from both); throws CancelledError once every thread has stopped at a cancel.
template <typename Visit, typename BeforeRow>
void forEachNearestFilled(const uint8_t* filled, int32_t width, int32_t height, int32_t threads, Visit visit,
                          BeforeRow beforeRow)
{
    if (width <= 0 || height <= 0) {
        return;
    }
    if (threads < 2 || height < 2) {
        NearestFilledRows(filled, width, height, 0).run(0, height, visit, beforeRow);
        throwIfCancelled();
        return;
    }
    // Each band of rows has its own record of the columns; everything is allocated before the second thread
    // starts, so that nothing in it throws.
    const int32_t middle = height / 2;
    NearestFilledRows top(filled, width, height, 0), bottom(filled, width, height, middle);
    std::thread worker([&] { bottom.run(middle, height, visit, beforeRow); });
    top.run(0, middle, visit, beforeRow);
    worker.join();
    throwIfCancelled();
}

} // namespace vendrel::stages
