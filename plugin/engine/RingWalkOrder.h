// The order in which the join pass looks at offsets around a seed, held as groups of symmetric offsets.
//
// Offsets come in ascending squared distance. At equal distance the groups come in ascending smaller
// coordinate (so a larger ring first), except at 25 and 100, where the axis group of the outer ring comes
// last. Within a group the offsets have a fixed order (see Offset). The table grows lazily and is shared by
// every seed of a pass; it holds one small record per group, an eighth of the offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "PITypes.h"

// Bounds of the offsets that point into the image from one seed: columns -left to right, rows -up to down.
struct SeedRoom {
    int32 left;
    int32 right;
    int32 up;
    int32 down;

    bool Holds(int32 dx, int32 dy) const { return dx >= -left && dx <= right && dy >= -up && dy <= down; }
};

class RingWalkOrder {
public:
    struct Group {
        uint16 small; // the smaller coordinate magnitude i (0 on the axes, equal to ring on the diagonals)
        uint16 ring;  // the larger coordinate magnitude r
        uint32 Key() const { return uint32(small) * small + uint32(ring) * ring; }
        int Size() const { return small == 0 || small == ring ? 4 : 8; }
        // The order of the offsets on the axes, unit steps.
        static constexpr int8_t kAxes[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
        // The k-th offset of the group, in walk order.
        void Offset(int k, int32& dx, int32& dy) const;
    };

    // Puts the walk on the group `back` groups before the first group whose squared distance is at least
    // key (or on the very first group).
    void Seek(uint32 key, int back);
    const Group& Current() const { return (*list_)[at_]; }
    void Advance();

private:
    // Near groups are kept in a table shared by all seeds (grown lazily up to kNearKeys); farther ones are
    // generated a stretch of squared distances at a time, so memory stays small however far a walk goes.
    static constexpr uint32 kNearKeys = 16384;

    void ReachNear(uint32 key);
    void LoadFar(uint32 from, uint32 to);
    size_t FirstAtLeast(const std::vector<Group>& groups, uint32 key) const;

    std::vector<Group> near_;
    uint32 nearReached_ = 0; // every group with a key up to this is in near_
    std::vector<Group> far_;
    uint32 farFrom_ = 0; // far_ holds the groups with keys in [farFrom_, farTo_)
    uint32 farTo_ = 0;
    const std::vector<Group>* list_ = &near_;
    size_t at_ = 0;
};

// A squared distance below which the walk from a seed with this room cannot have met eight offsets outside
// the image in a row: every window of eight offsets there holds an offset inside the image.
uint32 NoStopBefore(const SeedRoom& room);
// A squared distance beyond which the walk from a seed with this room has surely stopped: the rings past
// its largest room lie wholly outside the image.
uint32 StoppedBy(const SeedRoom& room);
