// The colour-window test and the paint over runs of pixels of one row, for images whose pixels are Channels
// consecutive bytes (1, 3 or 4) with nothing between them. The tests look at sixteen pixels at a time where
// the processor has 16-byte vector registers, one pixel at a time elsewhere.
#pragma once

#include <cstring>

#include "PITypes.h"

struct RunWindow {
    uint8 low[4];
    uint8 high[4];

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

// Paints runs of pixels with the first Channels bytes of a colour: short runs pixel by pixel, long ones as
// block copies of sixteen pixels, whose pattern is laid out at the first long run.
template <int Channels> class RunPainter {
public:
    explicit RunPainter(const uint8* color) { std::memcpy(color_, color, Channels); }

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
        if (count >= 16) {
            if (!patterned_) {
                for (int i = 0; i < 16 * Channels; i += Channels)
                    std::memcpy(pattern_ + i, color_, Channels);
                patterned_ = true;
            }
            for (; count >= 16; count -= 16, p += 16 * Channels)
                std::memcpy(p, pattern_, sizeof pattern_);
        }
        for (; count > 0; --count, p += Channels)
            std::memcpy(p, color_, Channels);
    }

private:
    uint8 color_[Channels];
    mutable bool patterned_ = false;
    mutable uint8 pattern_[16 * Channels];
};
