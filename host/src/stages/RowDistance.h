// The city-block distance's scans along a row, sixteen pixels at a time: each is a running minimum of values that
// grow by one per pixel, which a doubling scan inside sixteen lanes gives without waiting on every pixel.
#pragma once

#include <algorithm>
#include <cstdint>

#include "VectorLanes.h"

namespace vendrel::stages {

namespace rowdistance {

typedef uint8_t Lanes __attribute__((vector_size(16)));

inline Lanes least(Lanes a, Lanes b)
{
    return a < b ? a : b;
}

inline Lanes greatest(Lanes a, Lanes b)
{
    return a > b ? a : b;
}

inline unsigned greatestLane(Lanes v)
{
    unsigned g = 0;
    for (int i = 0; i < 16; ++i) {
        g = std::max(g, unsigned(v[i]));
    }
    return g;
}

// a + k, held at 255.
inline Lanes plus(Lanes a, Lanes k)
{
    const Lanes sum = a + k;
    return sum < a ? Lanes{} + 255 : sum;
}

// Lane i takes lane i - s (toEast) or lane i + s (toWest); the lanes left over take 255, which no minimum keeps.
template <int s, bool toEast> Lanes shift(Lanes v)
{
    // A shift of the whole register with zeros coming in (one instruction), then 255 put into the lanes left over.
    constexpr auto lane = [](int i) { return uint8_t(toEast ? (i >= s ? i - s : 16) : (i + s < 16 ? i + s : 16)); };
    constexpr auto over = [lane](int i) { return uint8_t(lane(i) == 16 ? 255 : 0); };
    constexpr Lanes leftOver = {over(0), over(1), over(2),  over(3),  over(4),  over(5),  over(6),  over(7),
                                over(8), over(9), over(10), over(11), over(12), over(13), over(14), over(15)};
    // __builtin_shufflevector (GCC 12 and clang alike) takes its lane choices as constants.
    return __builtin_shufflevector(v, Lanes{}, lane(0), lane(1), lane(2), lane(3), lane(4), lane(5), lane(6), lane(7),
                                   lane(8), lane(9), lane(10), lane(11), lane(12), lane(13), lane(14), lane(15)) |
           leftOver;
}

// out[i] = min over j <= i (toEast) or j >= i (west) of t[j] + |i - j|, then with carry + the distance to it.
template <bool toEast> Lanes scan(Lanes t, uint8_t carry)
{
    t = least(t, plus(shift<1, toEast>(t), Lanes{} + 1));
    t = least(t, plus(shift<2, toEast>(t), Lanes{} + 2));
    t = least(t, plus(shift<4, toEast>(t), Lanes{} + 4));
    t = least(t, plus(shift<8, toEast>(t), Lanes{} + 8));
    constexpr Lanes east = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    constexpr Lanes west = {16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
    return least(t, plus(Lanes{} + carry, toEast ? east : west));
}

} // namespace rowdistance

// From the east end: out[x] = min(cap, below[x] + 1, out[x + 1] + 1), cap 255 where line[x] has lineMask set and
// 0 elsewhere, with out[width] = 0 (outside the row counts as off the line). Values are held at 255. Answers the
// greatest.
inline unsigned scanWestward(const uint8_t* line, uint8_t lineMask, const uint8_t* below, uint8_t* out, int32_t width)
{
    using namespace rowdistance;
    int32_t x = width;
    unsigned carry = 0, most = 0;
    for (; x % 16 != 0; --x) {
        const unsigned cap = (line[x - 1] & lineMask) ? 255u : 0u;
        carry = std::min(std::min(cap, unsigned(below[x - 1]) + 1), carry + 1);
        out[x - 1] = uint8_t(carry);
        most = std::max(most, carry);
    }
    Lanes mostLanes{};
    for (x -= 16; x >= 0; x -= 16) {
        const Lanes cap = Lanes((loadLanes<Lanes>(line + x) & lineMask) != 0); // 255 on the line, 0 off it
        const Lanes v = scan<false>(least(cap, plus(loadLanes<Lanes>(below + x), Lanes{} + 1)), uint8_t(carry));
        storeLanes(out + x, v);
        carry = v[0];
        mostLanes = greatest(mostLanes, v);
    }
    return std::max(most, greatestLane(mostLanes));
}

// From the west end: inout[x] = min(inout[x], above[x] + 1, inout[x - 1] + 1), with inout[-1] = 0. Answers the
// greatest.
inline unsigned scanEastward(const uint8_t* above, uint8_t* inout, int32_t width)
{
    using namespace rowdistance;
    int32_t x = 0;
    unsigned carry = 0, most = 0;
    Lanes mostLanes{};
    for (; x + 16 <= width; x += 16) {
        const Lanes v = scan<true>(least(loadLanes<Lanes>(inout + x), plus(loadLanes<Lanes>(above + x), Lanes{} + 1)),
                                   uint8_t(carry));
        storeLanes(inout + x, v);
        carry = v[15];
        mostLanes = greatest(mostLanes, v);
    }
    for (; x < width; ++x) {
        carry = std::min(std::min(unsigned(inout[x]), unsigned(above[x]) + 1), carry + 1);
        inout[x] = uint8_t(carry);
        most = std::max(most, carry);
    }
    return std::max(most, greatestLane(mostLanes));
}

// Sets the bit to in every byte of the row that has the bit from.
inline void copyBit(uint8_t* row, int32_t width, uint8_t from, uint8_t to)
{
    using namespace rowdistance;
    int32_t x = 0;
    for (; x + 16 <= width; x += 16) {
        const Lanes v = loadLanes<Lanes>(row + x);
        storeLanes(row + x, v | (Lanes((v & from) != 0) & to));
    }
    for (; x < width; ++x) {
        row[x] = uint8_t(row[x] | ((row[x] & from) ? to : 0));
    }
}

} // namespace vendrel::stages
