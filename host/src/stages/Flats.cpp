// Exact nearest-filled-pixel transform, separable: for each column, the nearest filled pixel in that column
// (found row by row and remembered), then along the row the column whose pixel is nearest. Work is spent only
// on unfilled pixels: in each row, a run of unfilled pixels that is bounded by filled pixels in the same row can
// only be nearest to columns within those bounds, since the bounding pixel is nearer than any column beyond it.
// Short runs search outwards from each pixel and stop once no column farther out can be nearer; long runs use
// Felzenszwalb-Huttenlocher's lower envelope of parabolas.
#include "vendrel/host/Flats.h"
#include "vendrel/host/Cancellation.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <thread>

namespace vendrel {

namespace {

constexpr int32_t noRow = -1;
constexpr int32_t noRowBelow = INT32_MAX; // a column with no filled pixel below
// Runs up to this long search outwards; a pixel's search is bounded by the run, so it stays short.
constexpr int32_t shortRun = 48;

int64_t floorDivide(int64_t numerator, int64_t denominator) // denominator > 0
{
    const int64_t quotient = numerator / denominator;
    return quotient - ((numerator % denominator != 0) && (numerator < 0));
}

// The lower envelope of the parabolas (p - column)^2 + rise^2 over the columns of one row span.
class Envelope {
public:
    explicit Envelope(int32_t width) : columns_(size_t(width)), starts_(size_t(width)), offsets_(size_t(width)) {}

    // Builds the envelope of columns lo..hi that have a filled pixel (rise[column] >= 0) for queries in lo..hi.
    void build(const int64_t* rise, int32_t lo, int32_t hi)
    {
        top_ = -1;
        for (int32_t q = lo; q <= hi; ++q) {
            if (rise[q] < 0) {
                continue;
            }
            const int64_t offset = int64_t(q) * q + rise[q];
            int64_t start = lo;
            while (top_ >= 0) {
                // q is strictly nearer than the envelope's last column from this column on; equal distances stay
                // with the column to the left.
                const int32_t v = columns_[size_t(top_)];
                start = floorDivide(offset - offsets_[size_t(top_)], 2 * int64_t(q - v)) + 1;
                if (start > starts_[size_t(top_)]) {
                    break;
                }
                --top_;
                start = lo;
            }
            if (start > hi) {
                continue;
            }
            ++top_;
            columns_[size_t(top_)] = q;
            offsets_[size_t(top_)] = offset;
            starts_[size_t(top_)] = start;
        }
    }

    // The nearest column for each p of a..b (increasing), written to nearest[p].
    void query(int32_t a, int32_t b, int32_t* nearest) const
    {
        int32_t k = 0;
        for (int32_t p = a; p <= b; ++p) {
            while (k < top_ && starts_[size_t(k + 1)] <= p) {
                ++k;
            }
            nearest[p] = columns_[size_t(k)];
        }
    }

private:
    std::vector<int32_t> columns_;
    std::vector<int64_t> starts_;
    std::vector<int64_t> offsets_;
    int32_t top_ = -1;
};

// The column of lo..hi nearest to p, given each column's squared rise (-1: no filled pixel in that column):
// columns at horizontal distance k are looked at while k^2 does not exceed the best squared distance found.
int32_t nearestOutwards(const int64_t* rise, int32_t lo, int32_t hi, int32_t p)
{
    int64_t best = rise[p] < 0 ? INT64_MAX : rise[p];
    int32_t column = p;
    for (int32_t k = 1; int64_t(k) * k <= best; ++k) {
        const int32_t left = p - k, right = p + k;
        if (left < lo && right > hi) {
            break;
        }
        const int64_t square = int64_t(k) * k;
        // The left column lies left of every column seen so far, so it wins a tie; the right one does not.
        if (left >= lo && rise[left] >= 0 && square + rise[left] <= best) {
            best = square + rise[left], column = left;
        }
        if (right <= hi && rise[right] >= 0 && square + rise[right] < best) {
            best = square + rise[right], column = right;
        }
    }
    return column;
}

class RowSpreader {
public:
    RowSpreader(HostImage& image, const std::vector<uint8_t>& filled)
        : image_(image), filled_(filled.data()), width_(image.width), height_(image.height), up_(size_t(width_), noRow),
          lookedUpTo_(size_t(width_), -1), down_(size_t(width_), noRow), featureRow_(size_t(width_)),
          rise_(size_t(width_)), nearest_(size_t(width_)), envelope_(width_)
    {
    }

    // Rows first..last - 1. Each row's result depends on nothing but the filled pixels, which no row changes, so
    // separate bands of rows can be worked on at the same time.
    // Stops early when a cancel is asked for; the caller throws once every band has stopped.
    void run(int32_t first, int32_t last)
    {
        for (int32_t y = first; y < last; ++y) {
            if ((y & 15) == 0 && cancelRequested()) {
                return;
            }
            spreadRow(y, filled_ + size_t(y) * size_t(width_));
        }
    }

private:
    // The nearest filled row above row y in column q, or noRow. Only the columns of runs far from any filled
    // pixel ask, so each column is looked up from where its last answer was found rather than carried down
    // every row: the rows between are looked at once, from the nearest up.
    int32_t rowAbove(int32_t y, int32_t q)
    {
        int32_t& looked = lookedUpTo_[size_t(q)];
        const uint8_t* pixel = filled_ + size_t(y - 1) * size_t(width_) + size_t(q);
        for (int32_t r = y - 1; r > looked; --r, pixel -= width_) {
            if (*pixel) {
                up_[size_t(q)] = r;
                break;
            }
        }
        looked = y - 1;
        return up_[size_t(q)];
    }

    void spreadRow(int32_t y, const uint8_t* row)
    {
        int32_t x = 0;
        while (x < width_) {
            const uint8_t* gap = static_cast<const uint8_t*>(std::memchr(row + x, 0, size_t(width_ - x)));
            if (gap == nullptr) {
                return;
            }
            const int32_t a = int32_t(gap - row);
            int32_t b = a;
            while (b + 1 < width_ && !row[b + 1]) {
                ++b;
            }
            spreadRun(y, a, b);
            x = b + 1;
        }
    }

    // The first filled row below y in column q, or noRowBelow.
    int32_t scanDown(int32_t y, int32_t q) const
    {
        const uint8_t* pixel = filled_ + size_t(y) * size_t(width_) + size_t(q);
        for (int32_t r = y + 1; r < height_; ++r) {
            pixel += width_;
            if (*pixel) {
                return r;
            }
        }
        return noRowBelow;
    }

    // The nearest filled pixel in column q, unfilled in row y; equal distances above and below go to the row
    // above. The one below is found once and kept until the rows pass it.
    void nearestInColumn(int32_t y, int32_t q)
    {
        const int32_t up = rowAbove(y, q);
        int32_t down = down_[size_t(q)];
        if (down < y) {
            down = scanDown(y, q);
            down_[size_t(q)] = down;
        }
        int32_t best = up;
        if (down != noRowBelow && (up == noRow || down - y < y - up)) {
            best = down;
        }
        featureRow_[size_t(q)] = best;
        rise_[size_t(q)] = best == noRow ? -1 : int64_t(best - y) * (best - y);
        if (best != noRow) { // its colour is read a little later, often from a row far away: ask for it now
            __builtin_prefetch(image_.pixel(q, best));
        }
    }

    // A pixel with a filled 4-neighbour is at the least distance there is; among those neighbours the left
    // one is in the leftmost column, then the one above is topmost. Answers the neighbour's row, or noRow.
    int32_t adjacentRow(int32_t y, int32_t p, int32_t a, int32_t b, int32_t& column) const
    {
        const uint8_t* pixel = filled_ + size_t(y) * size_t(width_) + size_t(p);
        if (p == a && p > 0) { // the run's left neighbour is filled
            column = p - 1;
            return y;
        }
        column = p;
        if (y > 0 && pixel[-ptrdiff_t(width_)]) {
            return y - 1;
        }
        if (y + 1 < height_ && pixel[width_]) {
            return y + 1;
        }
        if (p == b && p + 1 < width_) {
            column = p + 1;
            return y;
        }
        return noRow;
    }

    // Columns lo..hi: the run and its filled neighbours in the row.
    void spreadRun(int32_t y, int32_t a, int32_t b)
    {
        bool resolved = true;
        for (int32_t p = a; p <= b; ++p) {
            int32_t column = p;
            const int32_t source = adjacentRow(y, p, a, b, column);
            if (source == noRow) {
                resolved = false;
                nearest_[size_t(p)] = -1;
                continue;
            }
            nearest_[size_t(p)] = column;
            copyColour(p, y, column, source);
        }
        if (!resolved) {
            spreadFar(y, a, b);
        }
    }

    // The run's pixels without a filled 4-neighbour.
    void spreadFar(int32_t y, int32_t a, int32_t b)
    {
        for (int32_t q = a; q <= b; ++q) {
            nearestInColumn(y, q);
        }
        const int32_t lo = a > 0 ? a - 1 : 0;
        const int32_t hi = b + 1 < width_ ? b + 1 : width_ - 1;
        for (const int32_t q : {lo, hi}) {
            if (q < a || q > b) {
                featureRow_[size_t(q)] = y, rise_[size_t(q)] = 0;
            }
        }
        const bool outwards = b - a < shortRun;
        if (!outwards) {
            envelope_.build(rise_.data(), lo, hi);
            envelope_.query(a, b, far_.data());
        }
        for (int32_t p = a; p <= b; ++p) {
            if (nearest_[size_t(p)] >= 0) {
                continue;
            }
            const int32_t column = outwards ? nearestOutwards(rise_.data(), lo, hi, p) : far_[size_t(p)];
            if (rise_[size_t(column)] >= 0) { // else the image has no filled pixel in the run's reach at all
                copyColour(p, y, column, featureRow_[size_t(column)]);
            }
        }
    }

    void copyColour(int32_t x, int32_t y, int32_t fromX, int32_t fromY)
    {
        uint8_t* target = image_.pixel(x, y);
        const uint8_t* source = image_.pixel(fromX, fromY);
        if (image_.colorPlanes == 3) {
            target[0] = source[0], target[1] = source[1], target[2] = source[2];
            return;
        }
        for (int32_t c = 0; c < image_.colorPlanes; ++c) {
            target[c] = source[c];
        }
    }

    HostImage& image_;
    const uint8_t* filled_;
    int32_t width_, height_;
    std::vector<int32_t> up_;         // per column: the nearest filled row at or above lookedUpTo_
    std::vector<int32_t> lookedUpTo_; // per column: the last row looked at for up_
    std::vector<int32_t> down_;       // per column: the nearest filled row below, valid while not above the row
    std::vector<int32_t> featureRow_;
    std::vector<int64_t> rise_; // squared distance to featureRow_, -1 when the column has no filled pixel
    std::vector<int32_t> nearest_;
    std::vector<int32_t> far_ = std::vector<int32_t>(size_t(width_));
    Envelope envelope_;
};

} // namespace

void spreadFlats(HostImage& image, const std::vector<uint8_t>& filled, int32_t threads)
{
    if (image.width <= 0 || image.height <= 0) {
        return;
    }
    // Without any filled pixel no pixel finds one, and the image stays as it is.
    if (threads < 2 || image.height < 2) {
        RowSpreader(image, filled).run(0, image.height);
        throwIfCancelled();
        return;
    }
    // Two bands of rows; everything is allocated before the second thread starts, so that nothing in it throws.
    const int32_t middle = image.height / 2;
    RowSpreader top(image, filled), bottom(image, filled);
    std::thread worker([&] { bottom.run(middle, image.height); });
    top.run(0, middle);
    worker.join();
    throwIfCancelled();
}

} // namespace vendrel
