// The colour window (the fill colour plus or minus the tolerance, per channel) and the pixel tests on it.
#include <cstring>

#include "CVendrel.h"
#include "PixelTests.h"

namespace {

constexpr uint8 kDarkLimit = 90;       // a channel at most this is dark
constexpr uint8 kCmykInkedBlack = 200; // a CMYK black byte below this (255 = no ink) is dark

} // namespace

bool CVendrel::SetColorWindow(const uint16 color[3], uint32 tolerance)
{
    uint8 converted[4] = {0, 0, 0, 0};
    if (!ConvertRGB(color, converted))
        return false;
    std::memcpy(windowLow, converted, sizeof windowLow);
    for (int i = 0; i < channels; ++i) {
        const uint32 c = windowLow[i];
        windowHigh[i] = (tolerance < 255 && c < 255 - tolerance) ? uint8(c + tolerance) : 255;
        windowLow[i] = c > tolerance ? uint8(c - tolerance) : 0;
    }
    return true;
}

bool CVendrel::IsInWindow(const uint8* p) const
{
    return RuntimePixelOps(windowLow, windowHigh, paintColor, channels, PlaneStep()).InWindow(p);
}

bool CVendrel::IsNormalAreaPixel(const uint8* p) const
{
    const int32 step = PlaneStep();
    bool allInWindow = true;
    bool allZero = true;
    for (int i = 0; i < channels; ++i) {
        const uint8 v = p[i * step];
        if (v < windowLow[i] || v > windowHigh[i])
            allInWindow = false;
        if (v != 0)
            allZero = false;
    }
    return !allInWindow && !allZero;
}

bool CVendrel::IsAcceptableColor(bool allowDark) const
{
    bool dark = true;
    for (int i = 0; i < channels; ++i)
        if (paintColor[i] > kDarkLimit)
            dark = false;
    if (filterRecord && filterRecord->imageMode == plugInModeCMYKColor)
        dark = paintColor[3] < kCmykInkedBlack;
    return !PaintColorInWindow() && (!dark || allowDark);
}

void CVendrel::PaintPixel(uint8* p) const
{
    RuntimePixelOps(windowLow, windowHigh, paintColor, channels, PlaneStep()).Paint(p);
}

bool CVendrel::PaintColorInWindow() const
{
    // paintColor holds its channels in consecutive bytes, whatever the image's plane step.
    return RuntimePixelOps(windowLow, windowHigh, paintColor, channels, 1).InWindow(paintColor);
}
