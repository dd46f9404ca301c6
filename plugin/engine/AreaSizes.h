// The sizes of labelled areas as the small-area rules measure them: a pixel count (saturating, in 16 or 32
// bits as the size limits need) or the box of rows and columns. Runs add to their label's measure; once the
// labels are settled, each label's measure goes to its root's.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "LabelForest.h"

class AreaSizes {
public:
    enum class Measure { None, SmallCount, LargeCount, Box };

    // The measure that decides the limits: none when no area is treated.
    static Measure For(bool treated, bool measureArea, uint32 largestLimit)
    {
        if (!treated)
            return Measure::None;
        if (!measureArea)
            return Measure::Box;
        return largestLimit < 0xFFFFu ? Measure::SmallCount : Measure::LargeCount;
    }

    AreaSizes(Measure measure, size_t limit) : measure_(measure), stride_(StrideOf(measure))
    {
        values_.reserve(limit * stride_);
    }
    size_t BitsPerLabel() const { return 16 * stride_; }
    bool IsNone() const { return measure_ == Measure::None; }

    // A new label, measuring nothing yet.
    void Make()
    {
        if (measure_ == Measure::Box)
            values_.insert(values_.end(), {0xFFFF, 0, 0xFFFF, 0});
        else
            values_.resize(values_.size() + stride_, 0);
    }
    void Add(uint32 label, const LabeledRun& run, int32 row)
    {
        uint16* v = &values_[size_t(label) * stride_];
        switch (measure_) {
        case Measure::None:
            return;
        case Measure::SmallCount:
            v[0] = uint16(std::min<uint32>(0xFFFFu, uint32(v[0]) + uint32(run.right - run.left + 1)));
            return;
        case Measure::LargeCount:
            return SetLarge(v,
                            uint32(std::min<uint64_t>(0xFFFFFFFFu, uint64_t(Large(v)) + (run.right - run.left + 1))));
        case Measure::Box:
            v[0] = std::min(v[0], run.left);
            v[1] = std::max(v[1], run.right);
            v[2] = std::min(v[2], uint16(row));
            v[3] = std::max(v[3], uint16(row));
            return;
        }
    }
    // After LabelForest::Settle, before any colour is set: every label's measure goes to its root's.
    void RollUp(const LabelForest& forest)
    {
        if (measure_ == Measure::None)
            return;
        for (uint32 label = 0; label < forest.Count(); ++label) {
            const uint32 root = forest.Area(label);
            if (root == label)
                continue;
            uint16* to = &values_[size_t(root) * stride_];
            const uint16* from = &values_[size_t(label) * stride_];
            if (measure_ == Measure::SmallCount) {
                to[0] = uint16(std::min<uint32>(0xFFFFu, uint32(to[0]) + from[0]));
            } else if (measure_ == Measure::LargeCount) {
                SetLarge(to, uint32(std::min<uint64_t>(0xFFFFFFFFu, uint64_t(Large(to)) + Large(from))));
            } else {
                to[0] = std::min(to[0], from[0]);
                to[1] = std::max(to[1], from[1]);
                to[2] = std::min(to[2], from[2]);
                to[3] = std::max(to[3], from[3]);
            }
        }
    }
    // Whether the area of a root is small by limit: by its pixel count, or by both its width and its height
    // (the differences of its last and first columns and rows) staying under the limit.
    bool IsSmall(uint32 root, uint32 limit) const
    {
        const uint16* v = &values_[size_t(root) * stride_];
        switch (measure_) {
        case Measure::None:
            return false;
        case Measure::SmallCount:
            return v[0] <= limit;
        case Measure::LargeCount:
            return Large(v) <= limit;
        case Measure::Box:
            return uint32(v[1] - v[0]) < limit && uint32(v[3] - v[2]) < limit;
        }
        return false;
    }

private:
    static size_t StrideOf(Measure measure)
    {
        switch (measure) {
        case Measure::None:
            return 0;
        case Measure::SmallCount:
            return 1;
        case Measure::LargeCount:
            return 2;
        case Measure::Box:
            return 4;
        }
        return 0;
    }
    static uint32 Large(const uint16* v) { return uint32(v[0]) | uint32(v[1]) << 16; }
    static void SetLarge(uint16* v, uint32 value)
    {
        v[0] = uint16(value);
        v[1] = uint16(value >> 16);
    }

    Measure measure_;
    size_t stride_;
    std::vector<uint16> values_;
};
