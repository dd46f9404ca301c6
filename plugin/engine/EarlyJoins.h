// Joining small areas while the rows are painted, in the order of their seeds, as soon as all a join looks at
// is final: the area is whole (none of its runs lies in the row just painted) and its colour is found within
// the nearest offsets, in rows painted already. The area's runs are kept while it waits, so that it takes
// its colour without a flood and while its rows are still in the cache. The join pass then starts at the
// first seed not dealt with here.
//
// Used only where no pixel touching an area holds the flag colour: a flood from the seed over the flag
// colour then covers exactly the area, which is what the kept runs paint. An area that would hold the flag
// colour until it is joined (deferred) is not painted while it waits: it is painted once, with its joined
// colour, or with the flag colour when it is not joined here (Stop and NoColor hand its runs back).
#pragma once

#include <cstddef>
#include <deque>
#include <vector>

#include "JoinSeedList.h"
#include "PITypes.h"

class EarlyJoins {
public:
    static constexpr uint32 kNone = ~0u;
    static constexpr size_t kNoSlot = ~size_t(0);

    // What a waiting area takes beside its runs: its place in the queue.
    static constexpr size_t kBytesPerWaitingArea = 32;

    // The runs and the waiting areas stay within budget bytes. Room for the most runs is reserved at once,
    // so that growing never copies them; pages no run reaches stay untouched.
    explicit EarlyJoins(size_t budget) : budget_(budget) { runs_.reserve(budget / sizeof(Run)); }

    bool IsActive() const { return active_; }
    // Gives up: the join pass deals with every seed not joined yet. The runs of the deferred areas waiting
    // are handed to paintFlag, then let go.
    template <typename PaintFlag> void Stop(PaintFlag&& paintFlag)
    {
        for (const Waiting& area : waiting_)
            if (area.deferred)
                paintFlag(RunList(*this, area.firstRun));
        active_ = false;
        waiting_.clear();
        runs_.clear();
        runs_.shrink_to_fit();
        freeRun_ = kNone;
    }

    // An area to join was met at its seed; seeds are met in the order of the seed list. Its place while it
    // waits, or kNoSlot once the joins made while painting have stopped.
    size_t Meet(JoinSeed seed, bool deferred)
    {
        if (!active_)
            return kNoSlot;
        waiting_.push_back(Waiting{seed, seed.y, kNone, kNone, deferred});
        return firstSlot_ + waiting_.size() - 1;
    }
    // Whether a waiting area is left unpainted until it is joined: only those keep their runs.
    bool IsDeferred(size_t slot) const { return waiting_[slot - firstSlot_].deferred; }
    // Keeps a run of a deferred waiting area; false when no more runs may be kept (the caller stops).
    bool AddRun(size_t slot, int32 row, int32 left, int32 right)
    {
        const uint32 index = NewRun(row, left, right);
        if (index == kNone)
            return false;
        Waiting& area = waiting_[slot - firstSlot_];
        area.lastRow = row;
        if (area.lastRun == kNone)
            area.firstRun = index;
        else
            runs_[area.lastRun].next = index;
        area.lastRun = index;
        return true;
    }

    // After row lastPaintedRow is painted (whole: every area met so far ended above it when it is the last
    // row): joins the waiting areas in order while the next one can be. join(seed, deferred, runs) answers
    // whether it joined or passed over the seed (the area is done), had to wait for later rows, or gave up;
    // on giving up the waiting areas' runs go to paintFlag as Stop hands them.
    enum class Step { Done, Wait, GiveUp };
    template <typename JoinOne, typename PaintFlag>
    void JoinReady(int32 lastPaintedRow, bool lastRow, JoinOne&& join, PaintFlag&& paintFlag)
    {
        while (active_ && !waiting_.empty()) {
            const Waiting& next = waiting_.front();
            if (next.lastRow >= lastPaintedRow && !lastRow)
                return;
            const Step step = join(next.seed, next.deferred, RunList(*this, next.firstRun));
            if (step == Step::Wait)
                return;
            if (step == Step::GiveUp)
                return Stop(paintFlag);
            Release(next);
            waiting_.pop_front();
            ++firstSlot_;
            ++joined_;
        }
    }
    // How many seeds, from the first, have been dealt with.
    size_t Joined() const { return joined_; }

    struct Run {
        int32 row;
        int32 left;
        int32 right;
        uint32 next;
    };
    // The runs of one waiting area, in the order they were painted.
    class RunList {
    public:
        RunList(const EarlyJoins& joins, uint32 first) : joins_(joins), first_(first) {}
        template <typename Visit> void ForEach(Visit&& visit) const
        {
            for (uint32 at = first_; at != kNone; at = joins_.runs_[at].next)
                visit(joins_.runs_[at]);
        }

    private:
        const EarlyJoins& joins_;
        uint32 first_;
    };

private:
    struct Waiting {
        JoinSeed seed;
        int32 lastRow;
        uint32 firstRun;
        uint32 lastRun;
        bool deferred;
    };

    uint32 NewRun(int32 row, int32 left, int32 right)
    {
        uint32 index = freeRun_;
        if (index != kNone) {
            freeRun_ = runs_[index].next;
            runs_[index] = Run{row, left, right, kNone};
            return index;
        }
        if ((runs_.size() + 1) * sizeof(Run) + waiting_.size() * kBytesPerWaitingArea > budget_)
            return kNone;
        runs_.push_back(Run{row, left, right, kNone});
        return uint32(runs_.size() - 1);
    }
    void Release(const Waiting& area)
    {
        if (area.firstRun == kNone)
            return;
        runs_[area.lastRun].next = freeRun_;
        freeRun_ = area.firstRun;
    }

    size_t budget_;
    bool active_ = true;
    std::deque<Waiting> waiting_;
    size_t firstSlot_ = 0;
    size_t joined_ = 0;
    std::vector<Run> runs_;
    uint32 freeRun_ = kNone;
};
