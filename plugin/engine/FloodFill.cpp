// The flood routine with a plain claim function: every examination goes to the function.
#include "FloodFill.h"

namespace {

// Adapts a plain claim function to the traversal; the function does its own measuring.
struct ProcClaim {
    PixelClaimProc proc;
    bool operator()(int32 x, int32 y) const { return proc(x, y); }
    void Span(int32, int32, int32) const {}
};

} // namespace

void FloodFill(uint16 x, uint16 y, PixelClaimProc claim)
{
    if (!claim)
        return;
    ProcClaim adapter{claim};
    std::vector<FillSpan> pending;
    SpanFlood<ProcClaim, false>(adapter, pending).Run(int32(x), int32(y));
}
