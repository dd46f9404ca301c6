// Where the target has no vector registers (32-bit x86 without SSE) the compiler warns that vectors are passed
// unlike in builds that have them; they stay inside this file's functions, so that does not matter.
#pragma GCC diagnostic ignored "-Wpsabi"

#include "NearestFilledRows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "ByteRuns.h"
#include "VectorLanes.h"

namespace vendrel::stages {

namespace {

// The searches around a pixel hold each column as its squared distance times 32 plus its offset from the pixel
// plus 16, in 16 bits: the least such value is the nearest column, the western one of equally near columns.
constexpr int32_t offsetBits = 5;
constexpr int32_t offsetZero = 1 << (offsetBits - 1);
// How far the searches go at most: a run with a pixel whose answer may lie farther goes to the envelope.
constexpr int32_t widest = offsetZero - 1;
// Squared rises are held at this, above every exact one and low enough that a column's value fits: such a
// column never holds a search's answer.
constexpr int32_t greatestRise = 28;
constexpr int32_t cappedSquare = (INT16_MAX >> offsetBits) - widest * widest;
static_assert(greatestRise * greatestRise < cappedSquare && widest * widest < greatestRise * greatestRise);
constexpr int16_t capped = int16_t(cappedSquare << offsetBits);
// Columns of rises_ kept on either side of the image, holding the cap: a search reaches past the image's edges.
constexpr int32_t lanes = 8;
constexpr int32_t pad = widest + lanes;

typedef int16_t Lanes __attribute__((vector_size(2 * lanes)));
typedef int32_t Ints __attribute__((vector_size(16)));
typedef int16_t Shorts __attribute__((vector_size(8)));

Lanes least(Lanes a, Lanes b)
{
    const Lanes less = a < b;
    return (a & less) | (b & ~less);
}

Lanes greatest(Lanes a, Lanes b)
{
    const Lanes more = a > b;
    return (a & more) | (b & ~more);
}

int16_t greatestLane(Lanes v)
{
    v = greatest(v, __builtin_shufflevector(v, v, 4, 5, 6, 7, 0, 1, 2, 3));
    v = greatest(v, __builtin_shufflevector(v, v, 2, 3, 0, 1, 2, 3, 0, 1));
    return std::max(v[0], v[1]);
}

} // namespace

NearestFilledRows::NearestFilledRows(const uint8_t* filled, int32_t width, int32_t height, int32_t first)
    : filled_(filled), width_(width), columns_(filled, width, height, first), rows_(size_t(width)),
      rises_(size_t(width) + 2 * pad, capped), nearestColumn_(size_t(width), -1), envelope_(size_t(width) + 2)
{
}

void NearestFilledRows::workOutRow(int32_t y)
{
    columns_.enterRow(y, rows_.data());
    int16_t* rises = rises_.data() + pad;
    const int32_t* rows = rows_.data();
    // Four columns at a time in vector registers, whatever the compiler's own vectorizing does.
    int32_t q = 0;
    for (const Ints row4 = Ints{} + y; q + 4 <= width_; q += 4) {
        Ints rise;
        std::memcpy(&rise, rows + q, sizeof rise);
        rise -= row4;
        rise = (rise ^ (rise >> 31)) - (rise >> 31);
        const Ints far = rise > greatestRise;
        rise = (rise & ~far) | ((Ints{} + (greatestRise + 1)) & far); // squared below without overflow
        const Ints value = ((rise * rise << offsetBits) & ~far) | ((Ints{} + capped) & far);
        const Shorts narrow = __builtin_convertvector(value, Shorts);
        std::memcpy(rises + q, &narrow, sizeof narrow);
    }
    for (; q < width_; ++q) {
        const int32_t rise = std::abs(rows[q] - y);
        rises[q] = rise <= greatestRise ? int16_t(rise * rise << offsetBits) : capped;
    }
    runs_.clear();
    forEachZeroRun(filled_ + size_t(y) * size_t(width_), width_, [&](int32_t a, int32_t b) {
        runs_.emplace_back(a, b);
        if (!searchOutwards(a, b)) {
            lowerEnvelope(y, a, b);
        }
    });
}

// Eight pixels at a time, each looks at the columns ever farther to either side, for as long as a column that far
// could still be nearer than the nearest found for one of them. Columns beyond the run's bounds are farther than
// the bounds themselves, and beyond the image rises_ holds the cap, so neither wins. Answers false when some
// pixel's answer may lie farther than the searches go.
bool NearestFilledRows::searchOutwards(int32_t a, int32_t b)
{
    const int16_t* rises = rises_.data() + pad;
    constexpr Lanes lane = {0, 1, 2, 3, 4, 5, 6, 7};
    for (int32_t p = a; p <= b; p += lanes) {
        const Lanes inRun = lane < int16_t(b - p + 1); // lanes past the run count as answered
        Lanes best = (loadLanes<Lanes>(rises + p) + int16_t(offsetZero)) & inRun;
        for (int32_t k = 1; k * k <= greatestLane(best) >> offsetBits; ++k) {
            if (k > widest) {
                return false;
            }
            const int16_t square = int16_t(k * k << offsetBits);
            best = least(best, loadLanes<Lanes>(rises + p - k) + int16_t(square + offsetZero - k));
            best = least(best, loadLanes<Lanes>(rises + p + k) + int16_t(square + offsetZero + k));
        }
        int16_t found[lanes];
        std::memcpy(found, &best, sizeof found);
        const int32_t count = std::min(lanes, b - p + 1);
        for (int32_t i = 0; i < count; ++i) {
            nearestColumn_[size_t(p + i)] = p + i + (found[i] & (2 * offsetZero - 1)) - offsetZero;
        }
    }
    return true;
}

// The lower envelope of the parabolas (p - column)^2 + rise^2 of the run's columns and its bounds (Felzenszwalb and
// Huttenlocher), compared by products of integers rather than by divisions, answers the run's pixels in one walk.
void NearestFilledRows::lowerEnvelope(int32_t y, int32_t a, int32_t b)
{
    const int32_t lo = a > 0 ? a - 1 : a, hi = b + 1 < width_ ? b + 1 : b;
    size_t top = 0;
    for (int32_t q = lo; q <= hi; ++q) {
        const int64_t rise = rows_[size_t(q)] - y;
        if (std::abs(rise) >= ColumnNearest::far) {
            continue;
        }
        // The envelope's last parabola goes while the new one's crossing with the one before it comes no later
        // than its own: it is then nowhere strictly below both. Crossings are (offset_v - offset_u) / (2 (v - u)).
        const int64_t offset = int64_t(q) * q + rise * rise;
        while (top >= 2) {
            const Parabola& u = envelope_[top - 2];
            const Parabola& v = envelope_[top - 1];
            if ((offset - u.offset) * (v.column - u.column) > (v.offset - u.offset) * (q - u.column)) {
                break;
            }
            --top;
        }
        envelope_[top++] = Parabola{offset, q};
    }
    // Going east, the next parabola takes over where it is strictly nearer; on a tie the western one stays.
    size_t k = 0;
    for (int32_t p = a; p <= b; ++p) {
        const int64_t twice = 2 * int64_t(p);
        while (k + 1 < top && envelope_[k + 1].offset - twice * envelope_[k + 1].column <
                                  envelope_[k].offset - twice * envelope_[k].column) {
            ++k;
        }
        nearestColumn_[size_t(p)] = top > 0 ? envelope_[k].column : -1;
    }
}

} // namespace vendrel::stages
