#include "vendrel/host/AreaColours.h"

namespace vendrel {

namespace {

constexpr uint8_t darkLimit = 90;       // a channel at most this is dark
constexpr uint8_t cmykInkedBlack = 200; // a CMYK black below this (255: no ink) is dark

} // namespace

bool AreaColours::acceptable(const AreaColour& colour) const
{
    bool dark = true;
    for (int32_t c = 0; c < channels; ++c) {
        dark = dark && colour[size_t(c)] <= darkLimit;
    }
    if (channels == 4) {
        dark = colour[3] < cmykInkedBlack;
    }
    return !window.contains(colour.data()) && !dark;
}

bool AreaColours::isSmall(const SmallAreaRule& rule, uint32_t pixels, int32_t widthSpan, int32_t heightSpan) const
{
    if (!rule.on) {
        return false;
    }
    if (measureArea) {
        return pixels <= uint32_t(rule.size);
    }
    return uint32_t(widthSpan) < uint32_t(rule.size) && uint32_t(heightSpan) < uint32_t(rule.size);
}

bool AreaColours::same(const AreaColour& a, const AreaColour& b) const
{
    for (int32_t c = 0; c < channels; ++c) {
        if (a[size_t(c)] != b[size_t(c)]) {
            return false;
        }
    }
    return true;
}

} // namespace vendrel
