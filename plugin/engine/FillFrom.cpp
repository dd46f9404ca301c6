// Flooding one area with paintColor: the engine's claim function and the inlined fills for common layouts.
#include <algorithm>

#include "CVendrel.h"
#include "FloodFill.h"
#include "PixelTests.h"
#include "RunScan.h"

namespace {

// The engine's claim, inlined into the traversal: bounds, window test and paint on precomputed steps. The
// pixel count and the bounding box are taken per span, which gives the same totals as counting per pixel.
template <int Channels, bool UnitPlaneStep> struct EngineClaim {
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

// One horizontal run of painted pixels whose neighbouring rows are still to be looked at.
struct PaintedRun {
    int32 row;
    int32 left;  // inclusive
    int32 right; // inclusive
    // The run it was found from (painted: nothing to find there), or an empty range for the first run.
    int32 fromRow;
    int32 fromLeft;
    int32 fromRight;
};

std::vector<PaintedRun>& PendingRuns()
{
    static std::vector<PaintedRun> pending;
    return pending;
}

// A one-pixel run found from the row beside it (which covered its column) has only one pixel left to look
// at: the one beyond it in the same column. Narrow areas are followed that way pixel by pixel, without the
// stack, until the pixel beyond lies outside the window (false: the run is done) or starts a wider run, which
// replaces run and is handed back to be looked at in full (true).
template <int Channels, typename Paint>
bool FollowColumn(PaintedRun& run, const RunWindow& window, const RunScanner<Channels>& scan, uint8* data,
                  intptr_t rowBytes, const Rect& rect, Paint& paint)
{
    const int32 x = run.left;
    if (run.right != x || run.fromRow == run.row || run.fromLeft > x || run.fromRight < x)
        return false;
    const int32 step = run.row - run.fromRow;
    for (int32 row = run.row + step;; row += step) {
        if (row < rect.top || row >= rect.bottom)
            return false;
        uint8* line = data + intptr_t(row) * rowBytes;
        if (!window.Holds(line + intptr_t(x) * Channels, Channels))
            return false;
        const int32 left = scan.LastOut(line, x - 1, rect.left) + 1;
        const int32 right = scan.FirstOut(line, x + 1, rect.right) - 1;
        paint(line, row, left, right);
        if (left != x || right != x) {
            run = PaintedRun{row, left, right, row - step, x, x};
            return true;
        }
    }
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

template <int Channels, bool UnitPlaneStep> void CVendrel::FillFromFast(int32 x, int32 y)
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

// The flood for images whose pixels are Channels consecutive bytes: whole runs are found with the run scans
// and painted as blocks. Any traversal paints the same 4-connected pixels, as long as painted pixels no
// longer match, so the image, the count and the box come out as with the claim function.
template <int Channels, bool Record> void CVendrel::FillRuns(int32 x, int32 y)
{
    const Rect& rect = filterRecord->outRect;
    if (x < rect.left || x >= rect.right || y < rect.top || y >= rect.bottom)
        return;
    const RunWindow window = RunWindow::Of(windowLow, windowHigh);
    const RunScanner<Channels> scan(window);
    const RunPainter<Channels> painter(paintColor);
    uint8* const data = static_cast<uint8*>(filterRecord->outData);
    const intptr_t rowBytes = filterRecord->outRowBytes;
    uint8* seedRow = data + intptr_t(y) * rowBytes;
    if (!window.Holds(seedRow + intptr_t(x) * Channels, Channels))
        return;
    uint32 pixels = 0;
    if (Record)
        areaRuns.Begin();
    const auto paint = [&](uint8* row, int32 y, int32 left, int32 right) {
        painter.Paint(row, left, right + 1);
        if (Record)
            areaRuns.Add(y, left, right);
        pixels += uint32(right - left + 1);
        areaMinX = left < areaMinX ? left : areaMinX;
        areaMaxX = right > areaMaxX ? right : areaMaxX;
        areaMinY = y < areaMinY ? y : areaMinY;
        areaMaxY = y > areaMaxY ? y : areaMaxY;
    };
    std::vector<PaintedRun>& pending = PendingRuns();
    const size_t base = pending.size();
    {
        const int32 left = scan.LastOut(seedRow, x - 1, rect.left) + 1;
        const int32 right = scan.FirstOut(seedRow, x + 1, rect.right) - 1;
        paint(seedRow, y, left, right);
        // Found from no run: both neighbouring rows are looked at whole.
        pending.push_back(PaintedRun{y, left, right, y, 1, 0});
    }
    while (pending.size() > base) {
        PaintedRun run = pending.back();
        pending.pop_back();
        if (FollowColumn(run, window, scan, data, rowBytes, rect, paint)) {
            pending.push_back(run);
            continue;
        }
        // The stretches of the neighbouring rows left to look at: the run it came from is painted, so only
        // the columns beyond it are looked at in that row.
        struct Stretch {
            int32 row, a, b;
        } stretches[3];
        int count = 0;
        for (const int32 next : {run.row - 1, run.row + 1}) {
            if (next < rect.top || next >= rect.bottom)
                continue;
            if (next != run.fromRow) {
                stretches[count++] = Stretch{next, run.left, run.right};
                continue;
            }
            if (run.left < run.fromLeft)
                stretches[count++] = Stretch{next, run.left, std::min(run.right, run.fromLeft - 1)};
            if (run.right > run.fromRight)
                stretches[count++] = Stretch{next, std::max(run.left, run.fromRight + 1), run.right};
        }
        for (int n = 0; n < count; ++n) {
            const Stretch& stretch = stretches[n];
            uint8* row = data + intptr_t(stretch.row) * rowBytes;
            const int32 b = stretch.b;
            for (int32 at = scan.FirstIn(row, stretch.a, b + 1, rect.right); at <= b;
                 at = scan.FirstIn(row, at, b + 1, rect.right)) {
                // Left of the run the new run may reach further; elsewhere the pixel before `at` is outside.
                const int32 left = at == run.left ? scan.LastOut(row, at - 1, rect.left) + 1 : at;
                const int32 right = scan.FirstOut(row, at + 1, rect.right) - 1;
                paint(row, stretch.row, left, right);
                pending.push_back(PaintedRun{stretch.row, left, right, run.row, run.left, run.right});
                at = right + 2;
                if (at > b)
                    break;
            }
        }
    }
    areaPixels += pixels;
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
    // Pixels of consecutive channel bytes with nothing between them are flooded run by run.
    if (unitStep && ColumnStep() == channels) {
        const bool record = areaRuns.IsExpected();
        switch (channels) {
        case 1:
            return record ? FillRuns<1, true>(seedX, seedY) : FillRuns<1, false>(seedX, seedY);
        case 3:
            return record ? FillRuns<3, true>(seedX, seedY) : FillRuns<3, false>(seedX, seedY);
        case 4:
            return record ? FillRuns<4, true>(seedX, seedY) : FillRuns<4, false>(seedX, seedY);
        default:
            break;
        }
    }
    switch (unitStep ? channels : 0) {
    case 1:
        return FillFromFast<1, true>(seedX, seedY);
    case 3:
        return FillFromFast<3, true>(seedX, seedY);
    case 4:
        return FillFromFast<4, true>(seedX, seedY);
    default:
        return FillFromFast<0, false>(seedX, seedY);
    }
}
