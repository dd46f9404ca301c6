// Finding runs of zero and non-zero bytes in a row of a mask, eight bytes a word.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace vendrel::stages {

// The first x from x on, below width, whose byte is zero (zero) or not zero (!zero); width when there is none.
inline int32_t firstByteWhere(const uint8_t* row, int32_t x, int32_t width, bool zero)
{
    constexpr uint64_t low7 = 0x7f7f7f7f7f7f7f7full, high = 0x8080808080808080ull;
    for (; x + 8 <= width; x += 8) {
        uint64_t word;
        std::memcpy(&word, row + x, sizeof word);
        const uint64_t set = (((word & low7) + low7) | word) & high; // 0x80 in each byte that is not zero
        uint64_t wanted = zero ? ~set & high : set;
        if (wanted != 0) {
            if constexpr (std::endian::native == std::endian::big) {
                wanted = __builtin_bswap64(wanted);
            }
            return x + std::countr_zero(wanted) / 8;
        }
    }
    while (x < width && (row[x] == 0) != zero) {
        ++x;
    }
    return x;
}

// Calls visit(first, last) for each run of zero bytes in the row, west to east, both ends included.
template <typename Visit> void forEachZeroRun(const uint8_t* row, int32_t width, Visit visit)
{
    for (int32_t x = firstByteWhere(row, 0, width, true); x < width; x = firstByteWhere(row, x, width, true)) {
        const int32_t first = x;
        x = firstByteWhere(row, x, width, false);
        visit(first, x - 1);
    }
}

} // namespace vendrel::stages
