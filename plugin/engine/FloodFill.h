// The span flood fill: a 4-connected scan-line fill that asks a claim function for every pixel it wants.
//
// The traversal is depth-first: a span (one maximal run of claimed pixels in a row) examines the row above
// over its own columns, then the row below; each pixel claimed there starts a child span, which is finished
// with all its descendants before the parent looks further. Ancestors wait on one contiguous stack.
//
// Two forms share this traversal:
// - FloodFill(x, y, claim) calls the claim function for every examination, exactly in the traversal's order.
// - The engine's own fill (SpanFlood with SkipCertainFailures) leaves out the examinations whose answer is
//   certain: the pixels of the row a span was created from, within its creator's columns (claimed when the
//   creator was built), the second look at the pixel a child started on, and it keeps no ancestor that has
//   nothing left to examine. Those examinations can only answer false, so the pixels claimed and their order
//   are the same, while the stack stays shallow along long narrow areas.
#pragma once

#include <cstddef>
#include <vector>

#include "PITypes.h"

typedef bool (*PixelClaimProc)(int32 x, int32 y);

struct FillSpan {
    int32 row;
    int32 left;  // inclusive
    int32 right; // inclusive
    int32 cursorAbove;
    int32 cursorBelow;
    // Columns of the row above (skipAbove*) or below (skipBelow*) that were claimed before this span was
    // built; empty ranges (lo > hi) when none are known.
    int32 skipAboveLo;
    int32 skipAboveHi;
    int32 skipBelowLo;
    int32 skipBelowHi;
};

// The claim object of a traversal: bool operator()(int32 x, int32 y) claims one pixel;
// void Span(int32 row, int32 left, int32 right) hears of every finished span.
template <typename Claim, bool SkipCertainFailures> class SpanFlood {
public:
    SpanFlood(Claim& claim, std::vector<FillSpan>& pending) : claim_(claim), pending_(pending) {}

    void Run(int32 x, int32 y)
    {
        if (!claim_(x, y))
            return;
        const size_t base = pending_.size();
        FillSpan current = MakeSpan(x, y);
        for (;;) {
            FillSpan child;
            if (NextChild(current, child)) {
                if (!SkipCertainFailures || HasWorkLeft(current))
                    pending_.push_back(current);
                current = child;
                continue;
            }
            if (pending_.size() == base)
                break;
            current = pending_.back();
            pending_.pop_back();
        }
    }

private:
    // Builds the span through (x, y), which the caller has claimed: leftwards first, then rightwards.
    FillSpan MakeSpan(int32 x, int32 y)
    {
        FillSpan span;
        span.row = y;
        span.left = x;
        span.right = x;
        while (claim_(span.left - 1, y))
            --span.left;
        while (claim_(span.right + 1, y))
            ++span.right;
        span.cursorAbove = span.left;
        span.cursorBelow = span.left;
        span.skipAboveLo = span.skipBelowLo = 1;
        span.skipAboveHi = span.skipBelowHi = 0;
        claim_.Span(y, span.left, span.right);
        return span;
    }

    static void SkipKnown(int32& cursor, int32 lo, int32 hi)
    {
        if (cursor >= lo && cursor <= hi)
            cursor = hi + 1;
    }

    bool NextChild(FillSpan& span, FillSpan& child)
    {
        if (FindChild(span, span.cursorAbove, span.row - 1, span.skipAboveLo, span.skipAboveHi, child)) {
            child.skipBelowLo = span.left;
            child.skipBelowHi = span.right;
            return true;
        }
        if (FindChild(span, span.cursorBelow, span.row + 1, span.skipBelowLo, span.skipBelowHi, child)) {
            child.skipAboveLo = span.left;
            child.skipAboveHi = span.right;
            return true;
        }
        return false;
    }

    bool FindChild(const FillSpan& span, int32& cursor, int32 row, int32 skipLo, int32 skipHi, FillSpan& child)
    {
        if (SkipCertainFailures)
            SkipKnown(cursor, skipLo, skipHi);
        while (cursor <= span.right) {
            if (claim_(cursor, row)) {
                child = MakeSpan(cursor, row);
                cursor = child.right < span.right ? child.right : span.right;
                // The child's last pixel (or this span's last column) is claimed: looking again answers false.
                if (SkipCertainFailures)
                    ++cursor;
                return true;
            }
            ++cursor;
            if (SkipCertainFailures)
                SkipKnown(cursor, skipLo, skipHi);
        }
        return false;
    }

    static bool HasWorkLeft(const FillSpan& span)
    {
        return RowHasWorkLeft(span.cursorAbove, span.right, span.skipAboveLo, span.skipAboveHi) ||
               RowHasWorkLeft(span.cursorBelow, span.right, span.skipBelowLo, span.skipBelowHi);
    }

    static bool RowHasWorkLeft(int32 cursor, int32 right, int32 skipLo, int32 skipHi)
    {
        SkipKnown(cursor, skipLo, skipHi);
        return cursor <= right;
    }

    Claim& claim_;
    std::vector<FillSpan>& pending_;
};

// Floods the 4-connected area through the seed (x, y), calling claim for every pixel examined.
void FloodFill(uint16 x, uint16 y, PixelClaimProc claim);
