// The colour-window test and the paint over runs of pixels of one row, for images whose pixels are Channels
// consecutive bytes (1, 3 or 4) with nothing between them. The tests look at sixteen pixels at a time where
// the processor has 16-byte vector registers, one pixel at a time elsewhere.
#pragma once

#include <cstring>

#include "PITypes.h"

struct RunWindow {
    uint8 low[4];
    uint8 high[4];

    // The window of the engine's bounds (four bytes each; the scans look at their first channels only).
    static RunWindow Of(const uint8 low[4], const uint8 high[4])
    {
        RunWindow window;
        std::memcpy(window.low, low, 4);
        std::memcpy(window.high, high, 4);
        return window;
    }

    bool Holds(const uint8* p, int channels) const
    {
        for (int i = 0; i < channels; ++i)
            if (p[i] < low[i] || p[i] > high[i])
                return false;
        return true;
    }
};

// RunScanner<Channels>: FirstIn, FirstOut and LastOut over the pixels of one row.
#if defined(__SSE2__)
#include "RunScanVector.h"
#else
#include "RunScanScalar.h"
#endif

// Paints runs of pixels with the first Channels bytes of a colour, as block copies of a pattern of sixteen
// pixels laid out at the first run of two pixels or more. A run that is not a whole number of blocks ends with
// a block that overlaps the pixels before it, and a short run is two overlapping blocks of half its length or
// more: the pattern repeats every pixel, so any block that starts on a pixel writes the colour.
template <int Channels> class RunPainter {
public:
    explicit RunPainter(const uint8* color) { std::memcpy(color_, color, Channels); }

    // Paints with another colour from now on.
    void SetColor(const uint8* color)
    {
        std::memcpy(color_, color, Channels);
        patterned_ = false;
    }

    // Paints the pixels of row from column from up to column to, exclusive.
    void Paint(uint8* row, int32 from, int32 to) const
    {
        uint8* p = row + intptr_t(from) * Channels;
        int32 count = to - from;
        if (Channels == 1) {
            if (count > 0)
                std::memset(p, color_[0], size_t(count));
            return;
        }
        if (count <= 1) {
            if (count == 1)
                std::memcpy(p, color_, Channels);
            return;
        }
        // A short run in a colour not laid out yet: a pixel at a time costs less than the pattern.
        if (!patterned_ && count < 16) {
            PaintFew(row, from, to);
            return;
        }
        if (!patterned_)
            LayOut();
        if (count >= 16) {
            for (; count >= 16; count -= 16, p += 16 * Channels)
                std::memcpy(p, pattern_, 16 * Channels);
            if (count > 0)
                std::memcpy(p + intptr_t(count - 16) * Channels, pattern_, 16 * Channels);
        } else if (count >= 8) {
            TwoBlocks<8>(p, count);
        } else if (count >= 4) {
            TwoBlocks<4>(p, count);
        } else {
            TwoBlocks<2>(p, count);
        }
    }

    // Paints a run of at least one pixel a pixel at a time, in four-byte words, each but the last running one
    // byte into the next pixel, which its own word then writes: nothing past the run is touched. For the
    // short runs most areas are made of, where laying out the pattern would cost more than the run.
    [[gnu::always_inline]] void PaintFew(uint8* row, int32 from, int32 to) const
    {
        uint8* p = row + intptr_t(from) * Channels;
        uint32 word = 0;
        std::memcpy(&word, color_, Channels);
        for (int32 count = to - from; count > 1; --count, p += Channels)
            std::memcpy(p, &word, sizeof word);
        std::memcpy(p, &word, Channels);
    }

private:
    void LayOut() const
    {
        for (int i = 0; i < 16 * Channels; i += Channels)
            std::memcpy(pattern_ + i, color_, Channels);
        patterned_ = true;
    }
    // count pixels, Pixels <= count < 2 * Pixels, as a block at each end.
    template <int Pixels> void TwoBlocks(uint8* p, int32 count) const
    {
        std::memcpy(p, pattern_, Pixels * Channels);
        std::memcpy(p + intptr_t(count - Pixels) * Channels, pattern_, Pixels * Channels);
    }

    uint8 color_[Channels];
    mutable bool patterned_ = false;
    mutable uint8 pattern_[16 * Channels];
};
