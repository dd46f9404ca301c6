// The order in which the join pass looks at offsets around a seed, held as groups of symmetric offsets.
//
// Offsets come in ascending squared distance. At equal distance the groups come in ascending smaller
// coordinate (so a larger ring first), except at 25 and 100, where the axis group of the outer ring comes
// last. Within a group the offsets have a fixed order (see Offset). The table grows lazily and is shared by
// every seed of a pass; it holds one small record per group, an eighth of the offsets.
#pragma once

#include <cstddef>
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
        // The k-th offset of the group, in walk order.
        void Offset(int k, int32& dx, int32& dy) const;
    };

    // Makes sure every group with a squared distance up to key is in the table.
    void Reach(uint32 key);
    // Adds the groups of the next stretch of squared distances.
    void Grow() { Reach(reached_ + 1); }
    // The index of the first group whose squared distance is at least key; Reach(key) first.
    size_t FirstAtLeast(uint32 key);
    const Group& operator[](size_t index) const { return groups_[index]; }
    size_t Size() const { return groups_.size(); }

private:
    std::vector<Group> groups_;
    uint32 reached_ = 0; // every group with a key up to this is in the table
};

// A squared distance below which the walk from a seed with this room cannot have met eight offsets outside
// the image in a row: every window of eight offsets there holds an offset inside the image.
uint32 NoStopBefore(const SeedRoom& room);
// A squared distance beyond which the walk from a seed with this room has surely stopped: the rings past
// its largest room lie wholly outside the image.
uint32 StoppedBy(const SeedRoom& room);
