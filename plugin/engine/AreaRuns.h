// The runs of the area flooded last, kept so that a small area can be repainted in the flag colour without a
// second flood. Recording is asked for before the flood and taken up by the run-by-run flood only; an area
// with more runs than the limit is not kept, and is flooded again instead.
#pragma once

#include <cstddef>
#include <vector>

#include "PITypes.h"

struct AreaRun {
    int32 row;
    int32 left;  // inclusive
    int32 right; // inclusive
};

class AreaRuns {
public:
    // The next flood is to record its runs, up to limit of them.
    void Expect(size_t limit)
    {
        runs_.clear();
        // Room for the limit at once, so that growing never doubles the record past it; pages that no area
        // reaches are never touched.
        if (runs_.capacity() < limit)
            runs_.reserve(limit);
        limit_ = limit;
        state_ = State::Expected;
    }
    bool IsExpected() const { return state_ == State::Expected; }
    // Called by the run-by-run flood as it starts to record.
    void Begin() { state_ = State::Recording; }
    void Add(int32 row, int32 left, int32 right)
    {
        if (runs_.size() < limit_)
            runs_.push_back(AreaRun{row, left, right});
        else
            state_ = State::TooMany;
    }
    // The runs of the whole area, or null when the flood did not record them all; either way the record is
    // then closed.
    const std::vector<AreaRun>* Take()
    {
        const bool whole = state_ == State::Recording;
        state_ = State::Idle;
        return whole ? &runs_ : nullptr;
    }

private:
    enum class State { Idle, Expected, Recording, TooMany };
    std::vector<AreaRun> runs_;
    size_t limit_ = 0;
    State state_ = State::Idle;
};
