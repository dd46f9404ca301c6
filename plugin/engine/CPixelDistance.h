// The walk over integer offsets around a pixel in order of growing distance, one offset at a time: the plain
// definition of the order in which a small area looks for the nearest pixel of a usable colour to join. The
// filter's own join code (the join pass in SmallAreas.cpp and the joins made while the rows are painted) no
// longer walks it: it uses RingWalkOrder, which hands out the same offsets in the same order as groups of
// symmetric offsets. This class stays as the reference those are checked against: the plug-in's tests compare
// RingWalkOrder with it and the join pass with a plain walk of it over every seed. Rings of offsets are
// generated lazily and kept between walks.
#pragma once

#include <cstdint>
#include <map>

#include "PITypes.h"

class CPixelDistance {
public:
    struct Offset {
        int16 dx;
        int16 dy;
    };

    CPixelDistance();
    virtual ~CPixelDistance() = default;

    // Generates ring radius + 1: the 8 (radius + 1) offsets whose larger coordinate magnitude is radius + 1.
    void AddRing();
    // Restarts the walk and gives its first offset inside the bounds.
    bool First(int32& dx, int32& dy);
    // Gives the next offset inside the bounds; false once eight offsets in a row fell outside them.
    bool Next(int32& dx, int32& dy);

    // The offsets allowed, inclusive; set before every walk.
    int32 minDy = 0;
    int32 minDx = 0;
    int32 maxDy = 0;
    int32 maxDx = 0;

    uint16 radius = 0;
    uint32 radiusSquared = 0;

private:
    // Ordered by squared distance, then by a tie rank that carries the order among offsets at equal distance.
    using OffsetMap = std::multimap<uint64_t, Offset>;

    void AddGroup(uint32 ring, uint32 step, const Offset* group, int count);

    OffsetMap offsets;
    OffsetMap::iterator cursor;
};
