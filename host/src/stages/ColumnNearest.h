// Each column's nearest filled pixel to the row being worked on, for rows taken one after another going down.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vendrel::stages {

// Above the row: the last filled row met in each column. Below it: worked out for a band of rows at a time, from
// the band's bottom up, as the distance from each of its pixels to the next filled pixel of the column within the
// band (a byte, so the band stays in the cache); a column with none left in the band has its next filled row
// below the band looked for once per band, from where its last look ended. Every look reads whole rows in order
// except those below a band, which are few.
class ColumnNearest {
public:
    // Rows whose distance from the row is at least this have no filled pixel in the column.
    static constexpr int32_t far = 1 << 29;

    ColumnNearest(const uint8_t* filled, int32_t width, int32_t height, int32_t first);

    // Moves to row y (the row after the last one entered, or the first row at the start) and gives each column's
    // row of its filled pixel nearest to row y, the upper one of two equally near, or a row at least far away from
    // y when the column has none.
    void enterRow(int32_t y, int32_t* nearestRows);

private:
    static constexpr int32_t noneAbove = -(1 << 30), noneBelow = 1 << 30;
    static constexpr uint8_t notInBand = 255;

    void startBand(int32_t top);

    const uint8_t* filled_;
    int32_t width_, height_;
    int32_t bandRows_;
    int32_t bandTop_ = 0, bandEnd_ = 0;
    bool started_ = false;
    std::vector<int32_t> above_;    // per column: the last filled row at or above the row
    std::vector<int32_t> below_;    // per column: the first filled row at or below bandEnd_ (stale when above it)
    std::vector<uint8_t> distance_; // per band row and column: rows down to the column's next filled pixel
};

} // namespace vendrel::stages
