// The colours of the pixels outside the window that touch it, up to a thousand of them. A small area is
// repainted in the flag colour by a flood over its own colour, which would spread into such a pixel of that
// colour: where no area colour is among them, the repaint covers exactly the area.
#pragma once

#include <unordered_set>

#include "PITypes.h"

class BoundaryColors {
public:
    static constexpr size_t kMostColors = 1024;

    void Add(uint32 packed)
    {
        if ((hasLast_ && packed == last_) || overflowed_)
            return;
        last_ = packed;
        hasLast_ = true;
        if (colors_.size() >= kMostColors)
            overflowed_ = true;
        else
            colors_.insert(packed);
    }
    // Past the limit nothing more is kept: gathering may stop.
    bool IsFull() const { return overflowed_; }
    // False only when no touching pixel holds the colour; past the limit every colour may be there.
    bool MayHold(uint32 packed) const { return overflowed_ || colors_.count(packed) != 0; }

private:
    std::unordered_set<uint32> colors_;
    uint32 last_ = 0;
    bool hasLast_ = false;
    bool overflowed_ = false;
};
