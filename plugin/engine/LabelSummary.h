// What the first pass of the labelling leaves for the second, a few bits per provisional label: whether the
// label is the first (smallest) of its area, which is then called by that label; for an area, whether it is
// small by the flag and by the join limit, and whether later labels belong to it; and for each label that is
// not its area's first, the area it belongs to. The second pass makes the same labels in the same order and
// reads its answers here, so the areas' sets need be kept only while they are open.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "PITypes.h"

class LabelSummary {
public:
    static constexpr size_t kBitsPerLabel = 4;
    // A later label's entry, and what the second pass keeps for its area.
    static constexpr size_t kBytesPerLaterLabel = 8 + 32;
    // Provisional labels are kept in 32 bits.
    static constexpr size_t kMostLabels = size_t(1) << 31;

    // Labels are made while their bits, the later labels and what the caller keeps beside them stay within
    // budget bytes. Room for the most labels is taken at once, so that growing never copies the bits; pages no
    // label reaches stay untouched.
    explicit LabelSummary(size_t budget) : budget_(budget) { labels_.reserve(Limit() / kLabelsPerWord + 1); }

    // How many labels the budget allows now.
    size_t Limit() const
    {
        const size_t taken = later_.size() * kBytesPerLaterLabel + beside_;
        const size_t left = budget_ > taken ? budget_ - taken : 0;
        return std::min(left * 8 / kBitsPerLabel, kMostLabels);
    }
    size_t Count() const { return count_; }
    // What the labels take, with what is kept beside them.
    size_t Bytes() const { return Count() * kBitsPerLabel / 8 + later_.size() * kBytesPerLaterLabel + beside_; }
    // The caller keeps bytes beside the labels, out of the same budget; false when they no longer fit.
    bool KeepBeside(size_t bytes)
    {
        beside_ = bytes;
        return Bytes() <= budget_;
    }

    // A new label, the first of its area until joined to an earlier one; false past the budget.
    bool Make(uint32& label)
    {
        if (Count() >= Limit())
            return false;
        label = uint32(count_++);
        if (label % kLabelsPerWord == 0)
            labels_.push_back(0);
        Set(label, kFirst, true);
        return true;
    }
    // The set of label was joined to the set of earlier, a smaller label; false past the budget.
    bool Joined(uint32 label, uint32 earlier)
    {
        Set(label, kFirst, false);
        later_.push_back(Later{label, earlier});
        return Bytes() <= budget_;
    }
    // The area of a first label closed with these sizes.
    void Closed(uint32 area, bool flagSmall, bool joinSmall)
    {
        Set(area, kFlagSmall, flagSmall);
        Set(area, kJoinSmall, joinSmall);
    }
    // Once every label is made: each later label names its area's first label.
    void Settle()
    {
        std::sort(later_.begin(), later_.end(), [](const Later& a, const Later& b) { return a.label < b.label; });
        // A label joins a smaller one, so the labels before it are settled when it is reached.
        for (Later& later : later_) {
            if (!IsFirst(later.area))
                later.area = Find(later.area)->area;
            Set(later.area, kHasLater, true);
        }
        for (uint32 area = 0; area < Count(); ++area)
            if (HasLater(area))
                laterAreas_.push_back(area);
        next_ = 0;
    }

    bool IsFirst(uint32 label) const { return Get(label, kFirst); }
    bool IsFlagSmall(uint32 area) const { return Get(area, kFlagSmall); }
    bool IsJoinSmall(uint32 area) const { return Get(area, kJoinSmall); }
    // Whether later labels belong to the area: the second pass then keeps what the area took, at the area's
    // place among such areas, below LaterAreas().
    bool HasLater(uint32 area) const { return Get(area, kHasLater); }
    size_t LaterAreas() const { return laterAreas_.size(); }
    size_t LaterAreaPlace(uint32 area) const
    {
        return size_t(std::lower_bound(laterAreas_.begin(), laterAreas_.end(), area) - laterAreas_.begin());
    }
    // The area of a label that is not its area's first; asked for such labels in increasing order, after
    // Settle.
    uint32 AreaOfLater(uint32 label)
    {
        while (next_ < later_.size() && later_[next_].label < label)
            ++next_;
        return later_[next_].area;
    }

private:
    // The four bits of a label lie together, sixteen labels to a word.
    enum Bit { kFirst, kFlagSmall, kJoinSmall, kHasLater };
    static constexpr size_t kLabelsPerWord = 64 / kBitsPerLabel;

    bool Get(uint32 label, Bit bit) const
    {
        return (labels_[label / kLabelsPerWord] >> (label % kLabelsPerWord * kBitsPerLabel + bit)) & 1u;
    }
    void Set(uint32 label, Bit bit, bool value)
    {
        const uint64_t mask = uint64_t(1) << (label % kLabelsPerWord * kBitsPerLabel + bit);
        uint64_t& word = labels_[label / kLabelsPerWord];
        word = value ? word | mask : word & ~mask;
    }

    struct Later {
        uint32 label;
        uint32 area;
    };

    const Later* Find(uint32 label) const
    {
        return &*std::lower_bound(later_.begin(), later_.end(), label,
                                  [](const Later& later, uint32 value) { return later.label < value; });
    }

    size_t budget_;
    std::vector<uint64_t> labels_;
    size_t count_ = 0;
    std::vector<Later> later_;
    std::vector<uint32> laterAreas_;
    size_t beside_ = 0;
    size_t next_ = 0;
};
