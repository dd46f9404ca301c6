// Gathering the colours of the pixels outside the window that touch it, row by row, from the masks the row
// reader made: what the labelling checks a repaint against.
#pragma once

#include <bit>
#include <cstring>
#include <vector>

#include "BoundaryColors.h"
#include "PackedColor.h"
#include "RowRuns.h"

// A pixel's colour packed as PackColor packs it. Three channels are read as one four-byte word where the
// pixel is not the last of its row, so that the byte past it may be read.
template <int Channels> uint32 PackTouchingPixel(const uint8* p, bool lastOfRow)
{
    if constexpr (Channels == 3 && std::endian::native == std::endian::little) {
        if (!lastOfRow) {
            uint32 word = 0;
            std::memcpy(&word, p, sizeof word);
            return word & 0xFFFFFFu;
        }
    }
    return PackColor(p, Channels);
}

// Adds the colours of the pixels of a sixteen-pixel block of row from column x whose bits are set.
template <int Channels>
[[gnu::always_inline]] inline void AddTouchingPixels(BoundaryColors& boundary, const uint8* row, int32 x, uint32 pixels,
                                                     int32 width)
{
    for (; pixels; pixels &= pixels - 1) {
        const int32 at = x + std::countr_zero(pixels);
        boundary.Add(PackTouchingPixel<Channels>(row + intptr_t(at) * Channels, at == width - 1));
    }
}

// The colours of the pixels outside the window beside a window pixel: in the row just read (beside one in
// the same row or the row above) and in the row above (over one in this row), except those of the row
// above gathered already when it was read (gatheredAbove, which then takes this row's). Once more colours
// than are kept have been met, nothing more is looked at.
template <int Channels>
void GatherTouchingColors(const RowRuns<Channels>& rows, const uint8* row, const uint8* rowAbove, int32 width,
                          std::vector<uint16>& gatheredAbove, BoundaryColors& boundary)
{
    if (boundary.IsFull())
        return;
    const std::vector<uint16>& masks = rows.Masks();
    const std::vector<uint16>* aboveMasks = rows.AboveMasks();
    const size_t blocks = masks.size();
    gatheredAbove.resize(blocks);
    for (size_t k = 0; k < blocks; ++k) {
        const int32 x = int32(k) * 16;
        const uint32 valid = width - x >= 16 ? 0xFFFFu : (1u << (width - x)) - 1;
        const uint32 inside = masks[k];
        const uint32 insideAbove = aboveMasks ? (*aboveMasks)[k] : 0;
        const uint32 fromLeft = k > 0 ? masks[k - 1] >> 15 : 0;
        const uint32 fromRight = k + 1 < blocks ? uint32(masks[k + 1] & 1u) << 15 : 0;
        const uint32 beside = (inside << 1 | fromLeft | inside >> 1 | fromRight | insideAbove) & 0xFFFFu;
        const uint32 here = ~inside & beside & valid;
        AddTouchingPixels<Channels>(boundary, row, x, here, width);
        if (rowAbove)
            AddTouchingPixels<Channels>(boundary, rowAbove, x,
                                        ~insideAbove & inside & valid & ~uint32(gatheredAbove[k]), width);
        gatheredAbove[k] = uint16(here);
    }
}
