// Repainting a small area in the flag colour from the runs its flood recorded, instead of flooding it again.
// The window holds exactly the area's present colour and paintColor the flag colour. A flood from the seed
// would claim the area and every pixel of that colour joined to it; the pixels beside the area are outside
// the fill window but may hold that colour by chance, so those are flooded from as a flood would reach them.
#include <vector>

#include "CVendrel.h"
#include "RunScan.h"

namespace {

struct PixelAt {
    int32 x;
    int32 y;
};

} // namespace

size_t CVendrel::AreaRunLimit() const
{
    const Rect& rect = filterRecord->outRect;
    const size_t imageBytes =
        size_t(rect.right > 0 ? rect.right : 0) * size_t(rect.bottom > 0 ? rect.bottom : 0) * size_t(channels);
    const size_t share = imageBytes / (200 * sizeof(AreaRun));
    return share > 256 ? share : 256;
}

template <int Channels> void CVendrel::RepaintRuns(const std::vector<AreaRun>& runs)
{
    const Rect& rect = filterRecord->outRect;
    uint8* const data = static_cast<uint8*>(filterRecord->outData);
    const intptr_t rowBytes = filterRecord->outRowBytes;
    const RunWindow former = RunWindow::Of(windowLow, windowHigh);
    const RunPainter<Channels> painter(paintColor);
    for (const AreaRun& run : runs)
        painter.Paint(data + intptr_t(run.row) * rowBytes, run.left, run.right + 1);

    // Every area pixel now holds the flag colour: a pixel beside a run that still holds the former colour lies
    // outside the area and would have been reached by a flood.
    const RunScanner<Channels> scan(former);
    std::vector<PixelAt> reached;
    for (const AreaRun& run : runs) {
        const uint8* line = data + intptr_t(run.row) * rowBytes;
        if (run.left > rect.left && former.Holds(line + intptr_t(run.left - 1) * Channels, Channels))
            reached.push_back(PixelAt{run.left - 1, run.row});
        if (run.right + 1 < rect.right && former.Holds(line + intptr_t(run.right + 1) * Channels, Channels))
            reached.push_back(PixelAt{run.right + 1, run.row});
        for (const int32 next : {run.row - 1, run.row + 1}) {
            if (next < rect.top || next >= rect.bottom)
                continue;
            const uint8* nextLine = data + intptr_t(next) * rowBytes;
            for (int32 at = scan.FirstIn(nextLine, run.left, run.right + 1, rect.right); at <= run.right;
                 at = scan.FirstIn(nextLine, at + 1, run.right + 1, rect.right))
                reached.push_back(PixelAt{at, next});
        }
    }
    for (const PixelAt& pixel : reached)
        FillFrom(pixel.x, pixel.y);
}

void CVendrel::RepaintArea(const std::vector<AreaRun>& runs)
{
    // Only the run-by-run flood records runs, so the layout is one of its layouts.
    switch (channels) {
    case 1:
        return RepaintRuns<1>(runs);
    case 3:
        return RepaintRuns<3>(runs);
    case 4:
        return RepaintRuns<4>(runs);
    default:
        break;
    }
}
