// What the stages after the filter must know of the colours the filter hands its areas, to give an area another
// colour the way the filter would have: the palette in its order, the flag colour and which small areas the
// filter flags or joins.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "FillWindow.h"

namespace vendrel {

using AreaColour = std::array<uint8_t, 4>; // in the image's encoding; channels past the image's are unused

struct SmallAreaRule {
    bool on = false;
    int32_t size = 0;
};

struct AreaColours {
    int32_t channels = 3;            // the colour channels of the image, 1 to 4
    std::vector<AreaColour> palette; // the palette's colours in its order; empty when the filter draws at random
    AreaColour flag{};               // the flag colour
    SmallAreaRule flagAreas, joinAreas;
    bool measureArea = true; // small by pixel count (else by width and height)
    FillWindow window;

    // Whether the filter would paint an area in this colour: it is outside the fill colour's window and not so
    // dark that it could be taken for the lines (every channel at most 90; in CMYK, a black below 200).
    bool acceptable(const AreaColour& colour) const;
    // Whether an area of this many pixels spanning this width and height (maximum minus minimum coordinate) is
    // small by the rule, as the filter measures it.
    bool isSmall(const SmallAreaRule& rule, uint32_t pixels, int32_t widthSpan, int32_t heightSpan) const;
    bool same(const AreaColour& a, const AreaColour& b) const;
};

} // namespace vendrel
