// A colour of up to four channels packed into one number, first channel lowest, and back: how the labelling
// keeps area colours in its slots and compares the colours touching the window.
#pragma once

#include "PITypes.h"

inline uint32 PackColor(const uint8* color, int channels)
{
    uint32 packed = 0;
    for (int i = 0; i < channels; ++i)
        packed |= uint32(color[i]) << (8 * i);
    return packed;
}

inline void UnpackColor(uint32 packed, uint8* color, int channels)
{
    for (int i = 0; i < channels; ++i)
        color[i] = uint8(packed >> (8 * i));
}
