// Run scans one pixel at a time, for processors without 16-byte vector registers. Included by RunScan.h.
#pragma once

template <int Channels> class RunScanner {
public:
    explicit RunScanner(const RunWindow& window) : window_(window) {}

    // The first column in [from, to) whose pixel lies in the window, or to.
    int32 FirstIn(const uint8* row, int32 from, int32 to) const { return FirstWhere<true>(row, from, to); }
    // The same; the pixels beyond to are of no use one at a time.
    int32 FirstIn(const uint8* row, int32 from, int32 to, int32) const { return FirstWhere<true>(row, from, to); }
    // The first column in [from, to) whose pixel lies outside the window, or to.
    int32 FirstOut(const uint8* row, int32 from, int32 to) const { return FirstWhere<false>(row, from, to); }
    // Whether the pixel at p lies in the window.
    bool Holds(const uint8* p) const { return window_.Holds(p, Channels); }
    // Bit j is set when pixel j of the sixteen at p lies in the window.
    uint32 InsideBits(const uint8* p) const
    {
        uint32 bits = 0;
        for (int j = 0; j < 16; ++j)
            bits |= uint32(window_.Holds(p + j * Channels, Channels)) << j;
        return bits;
    }
    // Looking leftwards from column from down to column downTo: the first column whose pixel lies outside
    // the window, or downTo - 1.
    int32 LastOut(const uint8* row, int32 from, int32 downTo) const
    {
        for (int32 x = from; x >= downTo; --x)
            if (!window_.Holds(row + intptr_t(x) * Channels, Channels))
                return x;
        return downTo - 1;
    }

private:
    template <bool Wanted> int32 FirstWhere(const uint8* row, int32 from, int32 to) const
    {
        for (int32 x = from; x < to; ++x)
            if (window_.Holds(row + intptr_t(x) * Channels, Channels) == Wanted)
                return x;
        return to;
    }

    RunWindow window_;
};
