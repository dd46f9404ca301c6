// Flooding one area with paintColor: the engine's claim function and the inlined fills for common layouts.
#include "CVendrel.h"
#include "FloodFill.h"
#include "PixelTests.h"

namespace {

// The engine's claim, inlined into the traversal: bounds, window test and paint on precomputed steps. The
// pixel count and the bounding box are taken per span, which gives the same totals as counting per pixel.
template <int Channels, bool UnitPlaneStep>
struct EngineClaim {
    PixelOps<Channels, UnitPlaneStep> ops;
    uint8* data;
    intptr_t rowBytes;
    intptr_t columnStep;
    Rect bounds;
    uint32 pixels;
    int32 minX, minY, maxX, maxY;

    bool operator()(int32 x, int32 y)
    {
        if (x < bounds.left || x >= bounds.right || y < bounds.top || y >= bounds.bottom)
            return false;
        uint8* p = data + intptr_t(y) * rowBytes + intptr_t(x) * columnStep;
        if (!ops.InWindow(p))
            return false;
        ops.Paint(p);
        return true;
    }

    void Span(int32 row, int32 left, int32 right)
    {
        pixels += uint32(right - left + 1);
        if (left < minX)
            minX = left;
        if (right > maxX)
            maxX = right;
        if (row < minY)
            minY = row;
        if (row > maxY)
            maxY = row;
    }
};

// The stack of waiting spans, kept between floods so that its memory is reused.
std::vector<FillSpan>& PendingSpans()
{
    static std::vector<FillSpan> pending;
    return pending;
}

} // namespace

bool CVendrel::ClaimPixel(int32 x, int32 y)
{
    CVendrel* engine = gVendrelInstance;
    if (!engine || !engine->filterRecord)
        return false;
    const Rect& rect = engine->filterRecord->outRect;
    if (x < rect.left || x >= rect.right || y < rect.top || y >= rect.bottom)
        return false;
    uint8* p = engine->PixelAddress(x, y);
    if (!p || !engine->IsInWindow(p))
        return false;
    ClaimedMarks& marks = engine->claimedMarks;
    if (engine->markingFlood && marks.Covers(x, y)) {
        if (marks.IsMarked(x, y))
            return false;
        marks.Mark(x, y);
    }
    engine->PaintPixel(p);
    if (x > engine->areaMaxX)
        engine->areaMaxX = x;
    else if (x < engine->areaMinX)
        engine->areaMinX = x;
    if (y > engine->areaMaxY)
        engine->areaMaxY = y;
    else if (y < engine->areaMinY)
        engine->areaMinY = y;
    ++engine->areaPixels;
    return true;
}

template <int Channels, bool UnitPlaneStep>
void CVendrel::FillFromFast(int32 x, int32 y)
{
    EngineClaim<Channels, UnitPlaneStep> claim{
        PixelOps<Channels, UnitPlaneStep>(windowLow, windowHigh, paintColor, channels, PlaneStep()),
        static_cast<uint8*>(filterRecord->outData),
        filterRecord->outRowBytes,
        ColumnStep(),
        filterRecord->outRect,
        0,
        areaMinX,
        areaMinY,
        areaMaxX,
        areaMaxY};
    SpanFlood<EngineClaim<Channels, UnitPlaneStep>, true>(claim, PendingSpans()).Run(x, y);
    areaPixels += claim.pixels;
    areaMinX = claim.minX;
    areaMinY = claim.minY;
    areaMaxX = claim.maxX;
    areaMaxY = claim.maxY;
}

void CVendrel::FillFrom(int32 x, int32 y)
{
    const uint16 seedX = uint16(x);
    const uint16 seedY = uint16(y);
    if (!filterRecord || !filterRecord->outData)
        return;
    if (PaintColorInWindow()) {
        // Painted pixels would still match: remember each claimed pixel so that the flood ends.
        const Rect& rect = filterRecord->outRect;
        if (rect.right <= 0 || rect.bottom <= 0)
            return;
        claimedMarks.Prepare(rect.right, rect.bottom);
        struct MarkingScope {
            bool& flag;
            explicit MarkingScope(bool& f) : flag(f) { flag = true; }
            ~MarkingScope() { flag = false; }
        } scope(markingFlood);
        FloodFill(seedX, seedY, ClaimPixel);
        return;
    }
    const bool unitStep = PlaneStep() == 1;
    switch (unitStep ? channels : 0) {
    case 1: return FillFromFast<1, true>(seedX, seedY);
    case 3: return FillFromFast<3, true>(seedX, seedY);
    case 4: return FillFromFast<4, true>(seedX, seedY);
    default: return FillFromFast<0, false>(seedX, seedY);
    }
}
