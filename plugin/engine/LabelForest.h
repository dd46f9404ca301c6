// The provisional labels of a row-by-row labelling and the areas they turn out to belong to: a union-find
// forest in which every set is rooted at its smallest label, the one made first. Each label takes three bytes
// and a bit, so that images with hundreds of thousands of areas stay within a small share of their size.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "PITypes.h"

// One run of window pixels of a row and the label of its area. Image columns fit in 16 bits (the host's
// rectangles are 16-bit), and eight bytes a run keep two rows of runs close to the processor.
struct LabeledRun {
    uint16 left;  // inclusive
    uint16 right; // inclusive
    uint32 label;
};
static_assert(sizeof(Rect::right) == 2, "columns are 16-bit");

class LabelForest {
public:
    static constexpr size_t kBitsPerLabel = 25;
    static constexpr uint32 kMostLabels = 1u << 24;

    // At most limit labels are ever made (and never more than kMostLabels); the room is taken at once.
    explicit LabelForest(size_t limit) : limit_(limit < kMostLabels ? limit : kMostLabels)
    {
        slots_.reserve(3 * limit_);
    }

    // A new label in a set of its own, or false when the limit is reached.
    bool Make(uint32& label)
    {
        if (count_ >= limit_)
            return false;
        label = count_++;
        slots_.resize(3 * size_t(count_));
        Set(label, label);
        return true;
    }
    uint32 Root(uint32 label)
    {
        for (uint32 up = Get(label); up != label; up = Get(label)) {
            const uint32 grand = Get(up);
            Set(label, grand); // halves the path for the next look
            label = grand;
        }
        return label;
    }
    // Joins the sets of two labels; the smaller root stays the root.
    void Join(uint32 a, uint32 b)
    {
        a = Root(a);
        b = Root(b);
        if (a == b)
            return;
        if (b < a)
            std::swap(a, b);
        Set(b, a);
    }
    uint32 Count() const { return count_; }
    size_t Limit() const { return limit_; }

    // Once every label is made: each label then names its root directly, and a root may take a colour of up
    // to three bytes in its own slot.
    void Settle()
    {
        // A parent is never larger than its child, so one sweep upwards settles every label.
        for (uint32 label = 0; label < count_; ++label)
            Set(label, Get(Get(label)));
        colored_.assign(count_, false);
    }
    // The root of a label, after Settle.
    uint32 Area(uint32 label) const { return colored_[label] ? label : Get(label); }
    bool IsColored(uint32 root) const { return colored_[root]; }
    void SetColor(uint32 root, uint32 color)
    {
        Set(root, color);
        colored_[root] = true;
    }
    uint32 Color(uint32 root) const { return Get(root); }

private:
    uint32 Get(uint32 label) const
    {
        const uint8* slot = &slots_[3 * size_t(label)];
        return uint32(slot[0]) | uint32(slot[1]) << 8 | uint32(slot[2]) << 16;
    }
    void Set(uint32 label, uint32 value)
    {
        uint8* slot = &slots_[3 * size_t(label)];
        slot[0] = uint8(value);
        slot[1] = uint8(value >> 8);
        slot[2] = uint8(value >> 16);
    }

    std::vector<uint8> slots_;
    std::vector<bool> colored_;
    uint32 count_ = 0;
    size_t limit_;
};
