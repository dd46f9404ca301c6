#include "RingWalkOrder.h"

#include <algorithm>
#include <cmath>

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
        dx = kAxes[k][0] * r;
        dy = kAxes[k][1] * r;
        return;
    }
    if (small == ring) {
        static const int8_t corner[4][2] = {{1, 1}, {1, -1}, {-1, -1}, {-1, 1}};
        dx = corner[k][0] * r;
        dy = corner[k][1] * r;
        return;
    }
    switch (k) {
    case 0:
        dx = i, dy = r;
        return;
    case 1:
        dx = r, dy = i;
        return;
    case 2:
        dx = r, dy = -i;
        return;
    case 3:
        dx = i, dy = -r;
        return;
    case 4:
        dx = -i, dy = -r;
        return;
    case 5:
        dx = -r, dy = -i;
        return;
    case 6:
        dx = -r, dy = i;
        return;
    default:
        dx = -i, dy = r;
        return;
    }
}

namespace {

uint32 FloorSqrt(uint64_t v)
{
    uint64_t r = uint64_t(std::sqrt(double(v)));
    while (r * r > v)
        --r;
    while ((r + 1) * (r + 1) <= v)
        ++r;
    return uint32(r);
}

// Every group with a squared distance in [from, to), in walk order.
void GroupsBetween(uint64_t from, uint64_t to, std::vector<RingWalkOrder::Group>& out)
{
    out.clear();
    // A group (i, r) has r * r <= key <= 2 * r * r.
    for (uint64_t r = std::max<uint64_t>(1, FloorSqrt(from / 2)); r * r < to; ++r) {
        // The smallest i with i * i + r * r >= from.
        const uint64_t lowest = from > r * r ? FloorSqrt(from - r * r - 1) + 1 : 0;
        for (uint64_t i = lowest; i <= r; ++i) {
            const uint64_t key = i * i + r * r;
            if (key >= to)
                break;
            if (key >= from)
                out.push_back(RingWalkOrder::Group{uint16(i), uint16(r)});
        }
    }
    std::sort(out.begin(), out.end(), [](const RingWalkOrder::Group& a, const RingWalkOrder::Group& b) {
        const uint32 ka = a.Key();
        const uint32 kb = b.Key();
        return ka != kb ? ka < kb : TieRank(a) < TieRank(b);
    });
}

// How many squared distances a far stretch covers: enough groups to pay for generating them.
uint64_t FarStretch(uint64_t from)
{
    return std::max<uint64_t>(4096, 8 * uint64_t(FloorSqrt(from)));
}

} // namespace

void RingWalkOrder::ReachNear(uint32 key)
{
    if (key <= nearReached_)
        return;
    // Grow at least twofold, so that the table is extended a logarithmic number of times.
    const uint32 limit = std::min(kNearKeys, std::max({key, nearReached_ * 2, uint32(1024)}));
    std::vector<Group> fresh;
    GroupsBetween(uint64_t(nearReached_) + 1, uint64_t(limit) + 1, fresh);
    near_.insert(near_.end(), fresh.begin(), fresh.end());
    nearReached_ = limit;
}

void RingWalkOrder::LoadFar(uint32 from, uint32 to)
{
    GroupsBetween(from, to, far_);
    farFrom_ = from;
    farTo_ = to;
}

size_t RingWalkOrder::FirstAtLeast(const std::vector<Group>& groups, uint32 key) const
{
    const auto at = std::lower_bound(groups.begin(), groups.end(), key,
                                     [](const Group& group, uint32 k) { return group.Key() < k; });
    return size_t(at - groups.begin());
}

void RingWalkOrder::Seek(uint32 key, int back)
{
    if (key <= kNearKeys / 2) {
        ReachNear(std::max<uint32>(key, 1) * 2);
        list_ = &near_;
        const size_t index = FirstAtLeast(near_, key);
        at_ = index >= size_t(back) ? index - size_t(back) : 0;
        return;
    }
    // Begin a little before key, further when fewer than `back` groups lie in between.
    for (uint32 margin = 64;; margin *= 4) {
        const uint32 from = key > margin ? key - margin : 1;
        const uint64_t to = std::min<uint64_t>(uint64_t(key) + FarStretch(key), 0xFFFFFFFFu);
        LoadFar(from, uint32(to));
        list_ = &far_;
        const size_t index = FirstAtLeast(far_, key);
        if (index >= size_t(back) || from == 1) {
            at_ = index >= size_t(back) ? index - size_t(back) : 0;
            if (at_ >= far_.size())
                Advance();
            return;
        }
    }
}

void RingWalkOrder::Advance()
{
    ++at_;
    while (at_ >= list_->size()) {
        if (list_ == &near_ && nearReached_ < kNearKeys) {
            ReachNear(nearReached_ + 1);
            continue;
        }
        const uint32 from = list_ == &near_ ? nearReached_ + 1 : farTo_;
        at_ = 0;
        LoadFar(from, uint32(std::min<uint64_t>(uint64_t(from) + FarStretch(from), 0xFFFFFFFFu)));
        list_ = &far_;
    }
}

// Every window of eight offsets holds the first and the last offset of some group. The first offsets of all
// groups point down and right (i, r); the last ones down and left (-i, r), or left (-r, 0) on the axes. And
// every window holds one offset of each of the down-right, up-right and up-left pairs of group positions
// (axis and corner groups included), each of which lies inside while the ring is within both rooms of its
// quadrant.
uint32 NoStopBefore(const SeedRoom& room)
{
    const auto ringSquared = [](int32 room) { return Squared(room + 1); };
    const int32 quadrant =
        std::max({std::min(room.right, room.down), std::min(room.right, room.up), std::min(room.left, room.up)});
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
