// The size of an area as the small-area rules measure it, gathered run by run: its pixel count and the box of
// its rows and columns.
#pragma once

#include <algorithm>
#include <cstdint>

#include "RowRuns.h"

struct AreaMeasure {
    uint32 count = 0; // stays at its ceiling, above every limit
    uint16 left = 0xFFFF;
    uint16 right = 0;
    uint16 top = 0xFFFF;
    uint16 bottom = 0;

    void Add(const LabeledRun& run, int32 row)
    {
        AddCount(uint32(run.right - run.left + 1));
        left = std::min(left, run.left);
        right = std::max(right, run.right);
        top = std::min(top, uint16(row));
        bottom = std::max(bottom, uint16(row));
    }
    // The same run in rows more rows, the last of them lastRow, after the rows added already.
    void AddRepeated(const LabeledRun& run, int32 rows, int32 lastRow)
    {
        AddCount(uint32(std::min<uint64_t>(uint64_t(run.right - run.left + 1) * uint64_t(rows), 0xFFFFFFFFu)));
        left = std::min(left, run.left);
        right = std::max(right, run.right);
        bottom = std::max(bottom, uint16(lastRow));
    }
    void Add(const AreaMeasure& other)
    {
        AddCount(other.count);
        left = std::min(left, other.left);
        right = std::max(right, other.right);
        top = std::min(top, other.top);
        bottom = std::max(bottom, other.bottom);
    }
    void AddCount(uint32 more) { count = uint32(std::min<uint64_t>(uint64_t(count) + more, 0xFFFFFFFFu)); }
    // Small by limit: by its pixel count, or by both its width and its height (the differences of its last and
    // first columns and rows) staying under the limit.
    bool IsSmall(bool byCount, uint32 limit) const
    {
        if (byCount)
            return count <= limit;
        return uint32(right - left) < limit && uint32(bottom - top) < limit;
    }
};
