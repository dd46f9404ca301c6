// Joining small areas while the rows are painted, in the order of their seeds, as soon as all a join looks at
// is final: its colour is found within the nearest offsets, in rows painted already. The runs an area had
// until then are kept while it waits, so that it takes its colour without a flood and while its rows are
// still in the cache; the runs it has after it is joined are painted in the joined colour at once. The join
// pass then starts at the first seed not dealt with here.
//
// Used only where no pixel touching an area holds the flag colour: a flood from the seed over the flag
// colour then covers exactly the area, which is what its runs paint. An area that would hold the flag
// colour until it is joined (deferred) is not painted while it waits: it is painted once, with its joined
// colour, or with the flag colour when it is not joined here (Stop and NoColor hand its runs back). The
// walk treats every pixel still in the window as the flag colour: the pixels of the areas waiting, its own
// included.
#pragma once

#include <cstddef>
#include <vector>

#include "JoinSeedList.h"
#include "PITypes.h"
#include "RingQueue.h"

class EarlyJoins {
public:
    static constexpr uint32 kNone = ~0u;
    static constexpr size_t kNoSlot = ~size_t(0);

    // What a waiting area takes beside its runs: its place in the queue, which may be twice its size.
    static constexpr size_t kBytesPerWaitingArea = 48;

    // Where a deferred area stands: waiting, joined (its runs from now on take its colour), or let go of
    // (when the joins stopped before it was joined: it holds the flag colour).
    enum class State { Waiting, Joined, LetGo };

    // The runs and the waiting areas stay within budget bytes. Room for the most runs is reserved at once,
    // so that growing never copies them; pages no run reaches stay untouched. The seeds of the areas met
    // while joins are made are kept here: when the joins stop, only those not joined go to seeds, which
    // passes over the others.
    EarlyJoins(size_t budget, JoinSeedList& seeds) : budget_(budget), seeds_(seeds)
    {
        runs_.reserve(budget / sizeof(Run));
    }

    bool IsActive() const { return active_; }
    // Gives up: the join pass deals with every seed not joined yet. The runs of the deferred areas waiting
    // are handed to paintFlag, then let go; the areas joined already keep their colours while they are open.
    template <typename PaintFlag> void Stop(PaintFlag&& paintFlag)
    {
        if (active_) {
            seeds_.PassOver(joined_);
            for (size_t at = joinedOpen_; at < waiting_.size(); ++at)
                seeds_.push_back(waiting_[at].seed);
        }
        for (size_t at = joinedOpen_; at < waiting_.size(); ++at)
            if (waiting_[at].deferred)
                paintFlag(RunList(*this, waiting_[at].firstRun));
        active_ = false;
        waiting_.resize(joinedOpen_);
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
        waiting_.push_back(Waiting{seed, kNone, kNone, deferred, true, {}});
        return firstSlot_ + waiting_.size() - 1;
    }
    State StateOf(size_t slot) const
    {
        const size_t at = slot - firstSlot_;
        if (slot < firstSlot_ || at >= waiting_.size())
            return State::LetGo;
        return at < joinedOpen_ ? State::Joined : State::Waiting;
    }
    // The colour of a joined area that is still open.
    const uint8* JoinedColor(size_t slot) const { return waiting_[slot - firstSlot_].color; }
    // The area has no more runs: once joined, it is let go of.
    void Closed(size_t slot)
    {
        if (StateOf(slot) != State::LetGo)
            waiting_[slot - firstSlot_].open = false;
    }
    // Keeps a run of a deferred waiting area; false when no more runs may be kept (the caller stops).
    bool AddRun(size_t slot, int32 row, int32 left, int32 right)
    {
        const uint32 index = NewRun(row, left, right);
        if (index == kNone)
            return false;
        Waiting& area = waiting_[slot - firstSlot_];
        if (area.lastRun == kNone)
            area.firstRun = index;
        else
            runs_[area.lastRun].next = index;
        area.lastRun = index;
        return true;
    }

    // After a row is painted: joins the waiting areas in order while the next one can be.
    // join(seed, deferred, runs, color) answers whether it joined or passed over the seed (the area is done,
    // and a deferred one paints its later runs in color), had to wait for later rows, or gave up; on giving
    // up the waiting areas' runs go to paintFlag as Stop hands them. Joined areas that are whole are let go.
    enum class Step { Done, Wait, GiveUp };
    template <typename JoinOne, typename PaintFlag> void JoinReady(JoinOne&& join, PaintFlag&& paintFlag)
    {
        while (active_ && joinedOpen_ < waiting_.size()) {
            Waiting& next = waiting_[joinedOpen_];
            const Step step = join(next.seed, next.deferred, RunList(*this, next.firstRun), next.color);
            if (step == Step::Wait)
                break;
            if (step == Step::GiveUp) {
                Stop(paintFlag);
                break;
            }
            Release(next);
            next.firstRun = next.lastRun = kNone;
            ++joinedOpen_;
            ++joined_;
        }
        while (joinedOpen_ > 0 && !waiting_.front().open) {
            waiting_.pop_front();
            ++firstSlot_;
            --joinedOpen_;
        }
    }
    // Whether every area met is joined: the next one met may be joined at once.
    bool NoneWaiting() const { return active_ && joinedOpen_ == waiting_.size(); }
    // The area met now, with none waiting, was joined (or passed over) without waiting.
    void JoinedAtMeet() { ++joined_; }
    // Changes with every join and stop: what a deferred area's runs take may have changed.
    size_t Changes() const { return joined_ + (active_ ? 0 : 1); }

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
        uint32 firstRun;
        uint32 lastRun;
        bool deferred;
        bool open;
        uint8 color[4];
    };
    static_assert(2 * sizeof(Waiting) <= kBytesPerWaitingArea, "a waiting area's place is counted whole");

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
    JoinSeedList& seeds_;
    bool active_ = true;
    // The joined areas still open, then the areas waiting.
    RingQueue<Waiting> waiting_;
    size_t joinedOpen_ = 0;
    size_t firstSlot_ = 0;
    size_t joined_ = 0;
    std::vector<Run> runs_;
    uint32 freeRun_ = kNone;
};
