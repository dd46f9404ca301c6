// Run scans sixteen pixels at a time with 16-byte vector registers. Included by RunScan.h.
#pragma once

#include <bit>
#include <cstring>
#include <emmintrin.h>

template <int Channels> class RunScanner {
public:
    explicit RunScanner(const RunWindow& window) : window_(window) {}

    // The first column in [from, to) whose pixel lies in the window, or to. The pixels up to column readable
    // (exclusive, at least to) may be read, which lets a short stretch be looked at sixteen pixels at once.
    int32 FirstIn(const uint8* row, int32 from, int32 to, int32 readable) const
    {
        return FirstWhere<true>(row, from, to, readable);
    }
    int32 FirstIn(const uint8* row, int32 from, int32 to) const { return FirstWhere<true>(row, from, to, to); }
    // The first column in [from, to) whose pixel lies outside the window, or to.
    int32 FirstOut(const uint8* row, int32 from, int32 to) const { return FirstWhere<false>(row, from, to, to); }
    // Whether the pixel at p lies in the window.
    bool Holds(const uint8* p) const { return window_.Holds(p, Channels); }
    // Bit j is set when pixel j of the sixteen at p lies in the window.
    uint32 InsideBits(const uint8* p) const
    {
        const uint64_t inside = Inside(p);
        // Sixteen pixels all in or all out need no gathering.
        if (inside == 0 || inside == kPixelBits)
            return inside ? 0xFFFFu : 0;
        return OnePerPixel(inside);
    }
    // Looking leftwards from column from down to column downTo: the first column whose pixel lies outside
    // the window, or downTo - 1.
    int32 LastOut(const uint8* row, int32 from, int32 downTo) const
    {
        int32 x = from;
        for (const int32 near = from - kNearPixels; x >= downTo && x > near; --x)
            if (!window_.Holds(row + intptr_t(x) * Channels, Channels))
                return x;
        return x >= downTo ? FarLastOut(row, x, downTo) : downTo - 1;
    }

private:
    static constexpr uint64_t PixelBits()
    {
        uint64_t bits = 0;
        for (int j = 0; j < 16; ++j)
            bits |= uint64_t(1) << (Channels * j);
        return bits;
    }
    static constexpr uint64_t kPixelBits = PixelBits();
    static constexpr int32 kNearPixels = 2;

    [[gnu::noinline]] int32 FarLastOut(const uint8* row, int32 x, int32 downTo) const
    {
        for (; x - downTo + 1 >= 16; x -= 16) {
            const uint64_t misses = Inside(row + intptr_t(x - 15) * Channels) ^ kPixelBits;
            if (misses)
                return x - 15 + int32(63 - std::countl_zero(misses)) / Channels;
        }
        for (; x >= downTo; --x)
            if (!window_.Holds(row + intptr_t(x) * Channels, Channels))
                return x;
        return downTo - 1;
    }

    // Lays the bounds out over sixteen pixels (16 * Channels bytes), one register per 16 bytes, at the first
    // scan long enough to use them: most runs of small areas are shorter. The last layouts are kept, since
    // a run floods area after area with the same window.
    void LayOut() const
    {
        struct Layout {
            RunWindow window;
            __m128i low[Channels];
            __m128i high[Channels];
        };
        static Layout kept[2] = {};
        static int next = 0;
        for (const Layout& layout : kept) {
            if (std::memcmp(&layout.window, &window_, sizeof window_) == 0) {
                std::memcpy(low_, layout.low, sizeof low_);
                std::memcpy(high_, layout.high, sizeof high_);
                laidOut_ = true;
                return;
            }
        }
        alignas(16) uint8 lo[16 * Channels];
        alignas(16) uint8 hi[16 * Channels];
        for (int i = 0; i < 16 * Channels; i += Channels) {
            std::memcpy(lo + i, window_.low, Channels);
            std::memcpy(hi + i, window_.high, Channels);
        }
        Layout& layout = kept[next];
        next = 1 - next;
        layout.window = window_;
        for (int k = 0; k < Channels; ++k) {
            layout.low[k] = low_[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(lo + 16 * k));
            layout.high[k] = high_[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(hi + 16 * k));
        }
        laidOut_ = true;
    }

    // Bit Channels * j is set when pixel j of the sixteen at p lies in the window; other bits are clear.
    [[gnu::always_inline]] uint64_t Inside(const uint8* p) const
    {
        if (!laidOut_)
            LayOut();
        uint64_t bytes = 0;
        for (int k = 0; k < Channels; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
            const __m128i above = _mm_cmpeq_epi8(_mm_max_epu8(v, low_[k]), v);
            const __m128i below = _mm_cmpeq_epi8(_mm_min_epu8(v, high_[k]), v);
            bytes |= uint64_t(uint32(_mm_movemask_epi8(_mm_and_si128(above, below)))) << (16 * k);
        }
        uint64_t all = bytes;
        for (int i = 1; i < Channels; ++i)
            all &= bytes >> i;
        return all & kPixelBits;
    }

    // The first pixels are looked at one by one here, inline (a scan often ends at once: a run's neighbour in
    // the next row, the line beside a run), and the scan goes on sixteen pixels at a time out of line.
    template <bool Wanted> int32 FirstWhere(const uint8* row, int32 from, int32 to, int32 readable) const
    {
        int32 x = from;
        for (const int32 near = from + kNearPixels; x < to && x < near; ++x)
            if (window_.Holds(row + intptr_t(x) * Channels, Channels) == Wanted)
                return x;
        return x < to ? FarFirstWhere<Wanted>(row, x, to, readable) : to;
    }

    template <bool Wanted>
    [[gnu::noinline]] int32 FarFirstWhere(const uint8* row, int32 x, int32 to, int32 readable) const
    {
        for (; x < to && readable - x >= 16; x += 16) {
            const uint64_t inside = Inside(row + intptr_t(x) * Channels);
            uint64_t hits = Wanted ? inside : inside ^ kPixelBits;
            if (to - x < 16)
                hits &= (uint64_t(1) << (Channels * (to - x))) - 1; // only the pixels before to
            if (hits)
                return x + int32(std::countr_zero(hits)) / Channels;
        }
        for (; x < to; ++x)
            if (window_.Holds(row + intptr_t(x) * Channels, Channels) == Wanted)
                return x;
        return to;
    }

    // Gathers the bits Channels * j of Inside's answer into bit j.
    static uint32 OnePerPixel(uint64_t bits)
    {
        if constexpr (Channels == 1) {
            return uint32(bits);
        } else if constexpr (Channels == 4) {
            bits = (bits | bits >> 3) & 0x0303030303030303u;
            bits = (bits | bits >> 6) & 0x000F000F000F000Fu;
            bits = (bits | bits >> 12) & 0x000000FF000000FFu;
            return uint32((bits | bits >> 24) & 0xFFFFu);
        } else {
            // Four pixels (twelve bits) at a time through a table.
            return uint32(kFourPixels[bits & 0xFFFu]) | uint32(kFourPixels[(bits >> 12) & 0xFFFu]) << 4 |
                   uint32(kFourPixels[(bits >> 24) & 0xFFFu]) << 8 | uint32(kFourPixels[(bits >> 36) & 0xFFFu]) << 12;
        }
    }
    struct FourPixelTable {
        uint8 bits[4096];
        constexpr FourPixelTable() : bits{}
        {
            for (int v = 0; v < 4096; ++v)
                for (int j = 0; j < 4; ++j)
                    if (v >> (Channels * j) & 1)
                        bits[v] |= uint8(1u << j);
        }
        uint8 operator[](uint64_t i) const { return bits[i]; }
    };
    static constexpr FourPixelTable kFourPixels{};

    RunWindow window_;
    mutable bool laidOut_ = false;
    mutable __m128i low_[Channels] = {};
    mutable __m128i high_[Channels] = {};
};
