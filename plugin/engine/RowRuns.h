// The runs of window pixels of the rows of an image, read one row after another, with the runs of the row
// above kept beside them. A row whose window pixels are those of the row above has the same runs, and is
// recognised from the sixteen-pixel masks alone.
#pragma once

#include <algorithm>
#include <bit>
#include <span>
#include <vector>

#include "PITypes.h"
#include "RunScan.h"

// One run of window pixels of a row and the open set of its area. Image columns fit in 16 bits (the host's
// rectangles are 16-bit), and eight bytes a run keep two rows of runs close to the processor.
struct LabeledRun {
    uint16 left;  // inclusive
    uint16 right; // inclusive
    uint32 set;
};
static_assert(sizeof(Rect::right) == 2, "columns are 16-bit");

template <int Channels> class RowRuns {
public:
    RowRuns(const RunScanner<Channels>& scan, int32 width, int32 height)
        : scan_(scan), width_(width), masks_(size_t(width + 15) / 16), aboveMasks_(masks_.size()),
          // A row holds at most one run in two pixels, and the end of the row after them.
          runs_(size_t(width) / 2 + 2), aboveRuns_(runs_.size()), kinds_(size_t(height), Kind::Read)
    {
        Restart();
        again_ = false;
    }

    // Back to before the first row: the row above has no runs. The rows are read again as they were: those
    // found like the row above, or without a window pixel, are known without reading their pixels, which
    // must not have changed.
    void Restart()
    {
        aboveRuns_[0] = kEndOfRow;
        aboveCount_ = 0;
        haveAbove_ = false;
        next_ = 0;
        again_ = true;
    }

    // Reads the next row. False when its window pixels are those of the row above: the runs above then stand
    // for it, sets and all. Otherwise its runs, without sets, are in Current(), and Advance() makes them
    // the runs above once they are labelled.
    bool Read(const uint8* row)
    {
        const size_t y = next_++;
        if (again_ && kinds_[y] == Kind::LikeAbove)
            return false;
        if (again_ && kinds_[y] == Kind::Empty) {
            std::fill(masks_.begin(), masks_.end(), uint16(0));
            runs_[0] = kEndOfRow;
            count_ = 0;
            return true;
        }
        ReadMasks(row);
        if (haveAbove_ && masks_ == aboveMasks_) {
            kinds_[y] = Kind::LikeAbove;
            return false;
        }
        count_ = RunsFromMasks();
        if (count_ == 0)
            kinds_[y] = Kind::Empty;
        return true;
    }
    std::span<LabeledRun> Current() { return {runs_.data(), count_}; }
    // The runs of the row above, followed by the end of the row.
    const LabeledRun* Above() const { return aboveRuns_.data(); }
    std::span<const LabeledRun> AboveRuns() const { return {aboveRuns_.data(), aboveCount_}; }
    // The masks of the row read last and of the row above it (bit j of mask k: pixel 16 k + j in the window;
    // none past the row's end); the row above has none before the second row.
    const std::vector<uint16>& Masks() const { return masks_; }
    const std::vector<uint16>* AboveMasks() const { return haveAbove_ ? &aboveMasks_ : nullptr; }
    void Advance()
    {
        runs_.swap(aboveRuns_);
        masks_.swap(aboveMasks_);
        aboveCount_ = count_;
        haveAbove_ = true;
    }

private:
    // After the last run of a row: a run beyond every column, which ends the looks at a row's runs.
    static constexpr LabeledRun kEndOfRow{0xFFFF, 0xFFFF, 0};
    // What the first reading found of a row.
    enum class Kind : uint8 { Read, LikeAbove, Empty };

    void ReadMasks(const uint8* row)
    {
        int32 x = 0;
        for (uint16& mask : masks_) {
            if (width_ - x >= 16) {
                mask = uint16(scan_.InsideBits(row + intptr_t(x) * Channels));
            } else {
                // The last pixels, one at a time: the row may end the buffer.
                mask = 0;
                for (int32 j = 0; x + j < width_; ++j)
                    mask = uint16(mask | uint32(scan_.Holds(row + intptr_t(x + j) * Channels)) << j);
            }
            x += 16;
        }
    }

    // The runs are read off the pixels where one begins (in the window, the pixel before not) and where one
    // has ended (the reverse). Past the row's end every bit is clear, so a run reaching the end closes there.
    size_t RunsFromMasks()
    {
        LabeledRun* out = runs_.data();
        uint32 before = 0; // 1 when the pixel before the sixteen is in the window
        int32 start = 0;   // where the run still open at the sixteen's start began
        int32 x = 0;
        for (const uint16 mask : masks_) {
            const uint32 inside = mask;
            const uint32 shifted = inside << 1 | before;
            uint32 starts = inside & ~shifted & 0xFFFFu;
            uint32 ends = ~inside & shifted & 0xFFFFu;
            before = inside >> 15;
            // A run open from before ends at the first end.
            if (shifted & 1 && ends) {
                *out++ = LabeledRun{uint16(start), uint16(x + std::countr_zero(ends) - 1), 0};
                ends &= ends - 1;
            }
            // Every start pairs with the next end; the last start may stay open.
            while (starts) {
                const int32 from = x + std::countr_zero(starts);
                starts &= starts - 1;
                if (!ends) {
                    start = from;
                    break;
                }
                *out++ = LabeledRun{uint16(from), uint16(x + std::countr_zero(ends) - 1), 0};
                ends &= ends - 1;
            }
            x += 16;
        }
        if (before)
            *out++ = LabeledRun{uint16(start), uint16(width_ - 1), 0};
        *out = kEndOfRow;
        return size_t(out - runs_.data());
    }

    const RunScanner<Channels>& scan_;
    int32 width_;
    std::vector<uint16> masks_;
    std::vector<uint16> aboveMasks_;
    std::vector<LabeledRun> runs_;
    std::vector<LabeledRun> aboveRuns_;
    size_t count_ = 0;
    size_t aboveCount_ = 0;
    bool haveAbove_ = false;
    std::vector<Kind> kinds_;
    size_t next_ = 0;
    bool again_ = false;
};
