#include "RingWalkOrder.h"

#include <algorithm>

namespace {

// At these squared distances the axis group of the outer ring comes after the inner ring's group.
bool AxisGoesLast(uint32 key)
{
    return key == 25 || key == 100;
}

uint32 TieRank(const RingWalkOrder::Group& group)
{
    return group.small == 0 && AxisGoesLast(group.Key()) ? 0x10000u : group.small;
}

uint32 Squared(int32 v)
{
    return uint32(v) * uint32(v);
}

} // namespace

void RingWalkOrder::Group::Offset(int k, int32& dx, int32& dy) const
{
    const int32 i = small;
    const int32 r = ring;
    if (small == 0) {
        static const int8_t axis[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
        dx = axis[k][0] * r;
        dy = axis[k][1] * r;
        return;
    }
    if (small == ring) {
        static const int8_t corner[4][2] = {{1, 1}, {1, -1}, {-1, -1}, {-1, 1}};
        dx = corner[k][0] * r;
        dy = corner[k][1] * r;
        return;
    }
    switch (k) {
    case 0: dx = i, dy = r; return;
    case 1: dx = r, dy = i; return;
    case 2: dx = r, dy = -i; return;
    case 3: dx = i, dy = -r; return;
    case 4: dx = -i, dy = -r; return;
    case 5: dx = -r, dy = -i; return;
    case 6: dx = -r, dy = i; return;
    default: dx = -i, dy = r; return;
    }
}

void RingWalkOrder::Reach(uint32 key)
{
    if (key <= reached_)
        return;
    // Grow at least twofold so that the table is rebuilt a logarithmic number of times.
    const uint64_t target = std::max<uint64_t>({key, uint64_t(reached_) * 2, 1024});
    const uint32 limit = uint32(std::min<uint64_t>(target, 0xFFFFFFFFu));
    std::vector<Group> fresh;
    for (uint32 r = 1; uint64_t(r) * r <= limit; ++r) {
        for (uint32 i = 0; i <= r; ++i) {
            const uint64_t k = uint64_t(i) * i + uint64_t(r) * r;
            if (k > limit)
                break;
            if (k > reached_)
                fresh.push_back(Group{uint16(i), uint16(r)});
        }
    }
    std::sort(fresh.begin(), fresh.end(), [](const Group& a, const Group& b) {
        const uint32 ka = a.Key();
        const uint32 kb = b.Key();
        return ka != kb ? ka < kb : TieRank(a) < TieRank(b);
    });
    groups_.insert(groups_.end(), fresh.begin(), fresh.end());
    reached_ = limit;
}

size_t RingWalkOrder::FirstAtLeast(uint32 key)
{
    Reach(key);
    const auto at = std::lower_bound(groups_.begin(), groups_.end(), key,
                                     [](const Group& group, uint32 k) { return group.Key() < k; });
    return size_t(at - groups_.begin());
}

// Every window of eight offsets holds the first and the last offset of some group. The first offsets of all
// groups point down and right (i, r); the last ones down and left (-i, r), or left (-r, 0) on the axes. And
// every window holds one offset of each of the down-right, up-right and up-left pairs of group positions
// (axis and corner groups included), each of which lies inside while the ring is within both rooms of its
// quadrant.
uint32 NoStopBefore(const SeedRoom& room)
{
    const auto ringSquared = [](int32 room) { return Squared(room + 1); };
    const int32 quadrant = std::max({std::min(room.right, room.down), std::min(room.right, room.up),
                                     std::min(room.left, room.up)});
    const uint32 firsts = std::min(2 * ringSquared(room.right), ringSquared(room.down));
    const uint32 lasts = std::min(ringSquared(room.left), ringSquared(room.down));
    return std::max({ringSquared(quadrant), firsts, lasts});
}

uint32 StoppedBy(const SeedRoom& room)
{
    const int32 largest = std::max({room.left, room.right, room.up, room.down});
    // The axis group of ring largest + 1 and the group after it lie wholly outside: eight in a row.
    return Squared(largest + 1) + 1;
}
