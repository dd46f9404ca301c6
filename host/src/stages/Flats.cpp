// Exact nearest-filled-pixel transform (Felzenszwalb-Huttenlocher's lower envelope of parabolas over a column
// pass), evaluated only where it is needed: in each row, a run of unfilled pixels that is bounded by filled pixels
// in the same row can only be nearest to columns within those bounds, since the bounding pixel is nearer than any
// column beyond it.
#include "vendrel/host/Flats.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace vendrel {

namespace {

constexpr int32_t noRow = -1;

int64_t floorDivide(int64_t numerator, int64_t denominator) // denominator > 0
{
    if (numerator >= INT32_MIN && numerator <= INT32_MAX && denominator <= INT32_MAX) {
        // The common case, in the cheaper 32-bit division.
        const int32_t n = int32_t(numerator), d = int32_t(denominator), q = n / d;
        return q - ((n % d != 0) && (n < 0));
    }
    const int64_t quotient = numerator / denominator;
    return quotient - ((numerator % denominator != 0) && (numerator < 0));
}

// The lower envelope of the parabolas (p - column)^2 + rise^2 over the columns of one row span.
class Envelope {
public:
    explicit Envelope(int32_t width) : columns_(size_t(width)), starts_(size_t(width)), offsets_(size_t(width)) {}

    // Builds the envelope of columns lo..hi that have a filled pixel (rise[column] >= 0) for queries in lo..hi.
    void build(const int32_t* rise, int32_t lo, int32_t hi)
    {
        top_ = -1;
        for (int32_t q = lo; q <= hi; ++q) {
            if (rise[q] < 0) {
                continue;
            }
            const int64_t offset = int64_t(q) * q + int64_t(rise[q]) * rise[q];
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

// Downward pass: for every pixel, the nearest filled row at or above it in its column (noRow when none).
std::unique_ptr<int16_t[]> filledRowsAbove(const std::vector<uint8_t>& filled, int32_t width, int32_t height)
{
    std::unique_ptr<int16_t[]> above(new int16_t[size_t(width) * size_t(height)]);
    std::vector<int16_t> last(size_t(width), int16_t{noRow});
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = filled.data() + size_t(y) * size_t(width);
        int16_t* out = above.get() + size_t(y) * size_t(width);
        for (int32_t x = 0; x < width; ++x) {
            last[size_t(x)] = row[x] ? int16_t(y) : last[size_t(x)];
            out[x] = last[size_t(x)];
        }
    }
    return above;
}

class RowSpreader {
public:
    RowSpreader(HostImage& image, const std::vector<uint8_t>& filled)
        : image_(image), filled_(filled), width_(image.width), below_(size_t(width_), int16_t(noRow)),
          featureRow_(size_t(width_)), rise_(size_t(width_)), nearest_(size_t(width_)), envelope_(width_)
    {
        above_ = filledRowsAbove(filled, width_, image.height);
    }

    // Rows are handled bottom-up so that the nearest filled row below each column is known.
    void run()
    {
        for (int32_t y = image_.height - 1; y >= 0; --y) {
            const uint8_t* row = filled_.data() + size_t(y) * size_t(width_);
            for (int32_t x = 0; x < width_; ++x) {
                below_[size_t(x)] = row[x] ? int16_t(y) : below_[size_t(x)];
            }
            spreadRow(y, row);
        }
    }

private:
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

    // Columns lo..hi: the run and its filled neighbours in the row.
    void spreadRun(int32_t y, int32_t a, int32_t b)
    {
        const int32_t lo = a > 0 ? a - 1 : 0;
        const int32_t hi = b + 1 < width_ ? b + 1 : width_ - 1;
        const int16_t* above = above_.get() + size_t(y) * size_t(width_);
        for (int32_t q = lo; q <= hi; ++q) {
            const int32_t up = above[q], down = below_[size_t(q)];
            // Equal distances above and below go to the row above.
            int32_t best = up;
            if (down != noRow && (up == noRow || down - y < y - up)) {
                best = down;
            }
            featureRow_[size_t(q)] = best;
            rise_[size_t(q)] = best == noRow ? -1 : std::abs(best - y);
        }
        envelope_.build(rise_.data(), lo, hi);
        envelope_.query(a, b, nearest_.data());
        const int32_t colours = image_.colorPlanes;
        for (int32_t p = a; p <= b; ++p) {
            const int32_t column = nearest_[size_t(p)];
            uint8_t* target = image_.pixel(p, y);
            const uint8_t* source = image_.pixel(column, featureRow_[size_t(column)]);
            for (int32_t c = 0; c < colours; ++c) {
                target[c] = source[c];
            }
        }
    }

    HostImage& image_;
    const std::vector<uint8_t>& filled_;
    int32_t width_;
    std::unique_ptr<int16_t[]> above_;
    std::vector<int16_t> below_;
    std::vector<int32_t> featureRow_;
    std::vector<int32_t> rise_;
    std::vector<int32_t> nearest_;
    Envelope envelope_;
};

} // namespace

void spreadFlats(HostImage& image, const std::vector<uint8_t>& filled)
{
    if (image.width <= 0 || image.height <= 0 ||
        std::none_of(filled.begin(), filled.end(), [](uint8_t v) { return v != 0; })) {
        return;
    }
    RowSpreader(image, filled).run();
}

} // namespace vendrel
