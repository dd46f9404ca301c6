// The sizes of labelled areas as the small-area rules measure them: a pixel count that stops growing past
// the largest limit (in one, two or four bytes, as that limit needs) or the box of rows and columns. Runs add
// to their label's measure; once the labels are settled, each label's measure goes to its root's.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "LabelForest.h"

class AreaSizes {
public:
    enum class Measure { None, Count, Box };

    // No measure when no area is treated; the box when areas are measured by width and height.
    AreaSizes(bool treated, bool measureArea, uint32 largestLimit)
        : measure_(!treated      ? Measure::None
                   : measureArea ? Measure::Count
                                 : Measure::Box),
          bytes_(measure_ == Measure::None  ? 0
                 : measure_ == Measure::Box ? 8
                 : largestLimit < 0xFFu     ? 1
                 : largestLimit < 0xFFFFu   ? 2
                                            : 4),
          ceiling_(bytes_ >= 4 ? 0xFFFFFFFFu : (1u << (8 * bytes_)) - 1)
    {
    }
    size_t BitsPerLabel() const { return 8 * bytes_; }
    bool IsNone() const { return measure_ == Measure::None; }
    // Room for limit labels at once: growing never doubles the store past it.
    void Reserve(size_t limit) { values_.reserve(limit * bytes_); }

    // A new label, measuring nothing yet.
    void Make()
    {
        const size_t at = values_.size();
        values_.resize(at + bytes_, 0);
        if (measure_ == Measure::Box)
            Store(at, Box{0xFFFF, 0, 0xFFFF, 0});
    }
    void Add(uint32 label, const LabeledRun& run, int32 row)
    {
        const size_t at = size_t(label) * bytes_;
        if (measure_ == Measure::Count) {
            StoreCount(at, uint64_t(LoadCount(at)) + (run.right - run.left + 1));
        } else if (measure_ == Measure::Box) {
            Box box = LoadBox(at);
            box.left = std::min(box.left, run.left);
            box.right = std::max(box.right, run.right);
            box.top = std::min(box.top, uint16(row));
            box.bottom = std::max(box.bottom, uint16(row));
            Store(at, box);
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
            const size_t to = size_t(root) * bytes_;
            const size_t from = size_t(label) * bytes_;
            if (measure_ == Measure::Count) {
                StoreCount(to, uint64_t(LoadCount(to)) + LoadCount(from));
            } else {
                Box box = LoadBox(to);
                const Box other = LoadBox(from);
                box.left = std::min(box.left, other.left);
                box.right = std::max(box.right, other.right);
                box.top = std::min(box.top, other.top);
                box.bottom = std::max(box.bottom, other.bottom);
                Store(to, box);
            }
        }
    }
    // Whether the area of a root is small by limit: by its pixel count, or by both its width and its height
    // (the differences of its last and first columns and rows) staying under the limit.
    bool IsSmall(uint32 root, uint32 limit) const
    {
        const size_t at = size_t(root) * bytes_;
        if (measure_ == Measure::Count)
            return LoadCount(at) <= limit;
        if (measure_ == Measure::Box) {
            const Box box = LoadBox(at);
            return uint32(box.right - box.left) < limit && uint32(box.bottom - box.top) < limit;
        }
        return false;
    }

private:
    struct Box {
        uint16 left, right, top, bottom;
    };

    // A count past the ceiling stays at it: the ceiling is above every limit.
    uint32 LoadCount(size_t at) const
    {
        uint32 count = 0;
        for (size_t i = 0; i < bytes_; ++i)
            count |= uint32(values_[at + i]) << (8 * i);
        return count;
    }
    void StoreCount(size_t at, uint64_t count)
    {
        const uint32 kept = uint32(std::min<uint64_t>(count, ceiling_));
        for (size_t i = 0; i < bytes_; ++i)
            values_[at + i] = uint8(kept >> (8 * i));
    }
    Box LoadBox(size_t at) const
    {
        Box box;
        std::memcpy(&box, &values_[at], sizeof box);
        return box;
    }
    void Store(size_t at, const Box& box) { std::memcpy(&values_[at], &box, sizeof box); }

    Measure measure_;
    size_t bytes_;
    uint32 ceiling_;
    std::vector<uint8> values_;
};
