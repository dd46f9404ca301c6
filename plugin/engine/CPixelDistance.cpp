#include "CPixelDistance.h"

namespace {

constexpr int kInitialRings = 10;
constexpr int kTriesPerOffset = 8;

// At these two squared distances the axis offsets of the outer ring come after the offsets of the inner ring
// that lie at the same distance; everywhere else the outer ring comes first.
bool AxisGoesLast(uint32 key)
{
    return key == 25 || key == 100;
}

uint64_t SortKey(uint32 key, uint32 tieRank)
{
    return (uint64_t(key) << 32) | tieRank;
}

uint32 KeyOf(uint64_t sortKey)
{
    return uint32(sortKey >> 32);
}

} // namespace

CPixelDistance::CPixelDistance()
{
    cursor = offsets.end();
    for (int i = 0; i < kInitialRings; ++i)
        AddRing();
}

void CPixelDistance::AddGroup(uint32 ring, uint32 step, const Offset* group, int count)
{
    const uint32 key = step * step + ring * ring;
    // Outer rings first: a larger ring gets a smaller rank.
    uint32 tieRank = 0xFFFFu - ring;
    if (step == 0 && AxisGoesLast(key))
        tieRank = 0x10000u;
    for (int i = 0; i < count; ++i)
        offsets.emplace(SortKey(key, tieRank), group[i]);
}

void CPixelDistance::AddRing()
{
    ++radius;
    const int16 r = int16(radius);
    radiusSquared = uint32(radius) * uint32(radius);
    for (int16 i = 0; i <= r; ++i) {
        if (i == 0) {
            const Offset axis[] = {{0, r}, {r, 0}, {0, int16(-r)}, {int16(-r), 0}};
            AddGroup(radius, 0, axis, 4);
        } else if (i == r) {
            const Offset corners[] = {{r, r}, {r, int16(-r)}, {int16(-r), int16(-r)}, {int16(-r), r}};
            AddGroup(radius, uint32(i), corners, 4);
        } else {
            const int16 n = int16(-i);
            const int16 m = int16(-r);
            const Offset group[] = {{i, r}, {r, i}, {r, n}, {i, m}, {n, m}, {m, n}, {m, i}, {n, r}};
            AddGroup(radius, uint32(i), group, 8);
        }
    }
}

bool CPixelDistance::First(int32& dx, int32& dy)
{
    cursor = offsets.begin();
    return Next(dx, dy);
}

bool CPixelDistance::Next(int32& dx, int32& dy)
{
    for (int tries = kTriesPerOffset; tries > 0; --tries) {
        if (cursor == offsets.end() || KeyOf(cursor->first) > radiusSquared) {
            const uint32 reached = radiusSquared;
            AddRing();
            cursor = offsets.lower_bound(SortKey(reached + 1, 0));
        }
        dx = cursor->second.dx;
        dy = cursor->second.dy;
        ++cursor;
        if (dx >= minDx && dx <= maxDx && dy >= minDy && dy <= maxDy)
            return true;
    }
    return false;
}
