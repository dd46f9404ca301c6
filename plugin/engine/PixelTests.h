// The colour-window test and the paint of one pixel, for a fixed or a run-time channel count and plane step.
// The engine's members use the run-time form; the flood and the walk use forms fixed at compile time for the
// common layouts, so that a pixel test is a few byte compares without a loop or a call.
#pragma once

#include "PITypes.h"

// Channels: 1 to 4, or 0 for a count given at run time. UnitPlaneStep: the channels of a pixel are
// consecutive bytes.
template <int Channels, bool UnitPlaneStep> struct PixelOps {
    uint8 low[4];
    uint8 high[4];
    uint8 paint[4];
    int32 count;
    int32 planeStep;

    PixelOps(const uint8* windowLow, const uint8* windowHigh, const uint8* paintColor, int32 channelCount, int32 step)
        : count(Channels ? Channels : channelCount), planeStep(UnitPlaneStep ? 1 : step)
    {
        for (int i = 0; i < 4; ++i) {
            low[i] = windowLow[i];
            high[i] = windowHigh[i];
            paint[i] = paintColor[i];
        }
    }

    int32 Count() const { return Channels ? Channels : count; }
    int32 Step() const { return UnitPlaneStep ? 1 : planeStep; }

    bool InWindow(const uint8* p) const
    {
        for (int32 i = 0; i < Count(); ++i) {
            const uint8 v = p[i * Step()];
            if (v < low[i] || v > high[i])
                return false;
        }
        return true;
    }

    void Paint(uint8* p) const
    {
        for (int32 i = 0; i < Count(); ++i)
            p[i * Step()] = paint[i];
    }
};

using RuntimePixelOps = PixelOps<0, false>;
