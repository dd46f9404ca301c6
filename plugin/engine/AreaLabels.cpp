// The walk for runs that neither flag nor join small areas: the areas are found by labelling the image's runs
// row by row, then painted row by row. Both passes read the image in order, where a flood follows each area
// through it and pays a cache miss on every row it enters.
//
// The result is the walk's: every area is a 4-connected set of window pixels, and the areas take their
// colours in the order of their first pixels in the rows, which is the order in which the second pass meets
// them. A colour that still lies in the window changes nothing either: the areas were all found before any
// pixel was painted, as the walk's marks would have kept them apart. Progress and the abort are heard after
// each painted row, as in the walk; an abort leaves every area met so far painted whole and the others as
// they were. The first pass calls nothing in the host.
#include <bit>
#include <span>
#include <cstring>
#include <vector>

#include "CVendrel.h"
#include "LabelForest.h"
#include "RunScan.h"

namespace {

// The runs of window pixels of a row, left to right, with no label yet, written from out on (room for one
// run in two pixels); answers their count. The row is looked at sixteen pixels at a time, and the runs are
// read off the pixels where one begins (in the window, the pixel before not) and ends (the reverse).
template <int Channels> size_t FindRuns(const RunScanner<Channels>& scan, const uint8* row, int32 width, LabeledRun* out)
{
    LabeledRun* const begin = out;
    uint32 before = 0; // 1 when the pixel before the sixteen is in the window
    int32 start = 0;   // where the run still open at the sixteen's start began
    for (int32 x = 0; x < width; x += 16) {
        uint32 inside = 0;
        if (width - x >= 16) {
            inside = scan.InsideBits(row + intptr_t(x) * Channels);
        } else {
            // The last pixels, one at a time: the row may end the buffer. Past the row's end every bit is
            // clear, so a run reaching the end closes there.
            for (int32 j = 0; x + j < width; ++j)
                inside |= uint32(scan.FirstOut(row, x + j, x + j + 1) == x + j + 1) << j;
        }
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
    }
    if (before)
        *out++ = LabeledRun{uint16(start), uint16(width - 1), 0};
    return size_t(out - begin);
}

// The labels that may be made for an image: the forest (and for four channels the colours) stay within a
// hundredth of the image's bytes; small images get room for a few thousand.
size_t LabelLimit(size_t imageBytes, int channels)
{
    const size_t bitsPerLabel = LabelForest::kBitsPerLabel + (channels > 3 ? 8 * size_t(channels) : 0);
    const size_t limit = imageBytes / 100 * 8 / bitsPerLabel;
    return limit > 4096 ? limit : 4096;
}

// An area colour of up to three channels packed into the forest's slot, and back.
uint32 PackColor(const uint8* color, int channels)
{
    uint32 packed = 0;
    for (int i = 0; i < channels; ++i)
        packed |= uint32(color[i]) << (8 * i);
    return packed;
}

void UnpackColor(uint32 packed, uint8* color, int channels)
{
    for (int i = 0; i < channels; ++i)
        color[i] = uint8(packed >> (8 * i));
}

} // namespace

CVendrel::LabelOutcome CVendrel::PaintAreasByLabels(bool& foundArea)
{
    if (!filterRecord || !filterRecord->outData || PlaneStep() != 1 || ColumnStep() != channels)
        return LabelOutcome::NotUsed;
    switch (channels) {
    case 1:
        return PaintAreasByLabels<1>(foundArea);
    case 3:
        return PaintAreasByLabels<3>(foundArea);
    case 4:
        return PaintAreasByLabels<4>(foundArea);
    default:
        return LabelOutcome::NotUsed;
    }
}

template <int Channels> CVendrel::LabelOutcome CVendrel::PaintAreasByLabels(bool& foundArea)
{
    const Rect& rect = filterRecord->outRect;
    if (rect.left != 0 || rect.top != 0 || rect.right <= 0 || rect.bottom <= 0)
        return LabelOutcome::NotUsed;
    RunWindow window{};
    for (int i = 0; i < Channels; ++i) {
        window.low[i] = windowLow[i];
        window.high[i] = windowHigh[i];
    }
    const RunScanner<Channels> scan(window);
    const size_t imageBytes = size_t(rect.right) * size_t(rect.bottom) * Channels;
    LabelForest forest(LabelLimit(imageBytes, Channels));
    // A row holds at most one run in two pixels.
    std::vector<LabeledRun> above(size_t(rect.right) / 2 + 1);
    std::vector<LabeledRun> current(above.size());
    if (!LabelRuns(scan, forest, above, current))
        return LabelOutcome::NotUsed;
    return PaintLabeledRuns(scan, forest, above, current, foundArea) ? LabelOutcome::Done : LabelOutcome::Aborted;
}

// The first pass: every run without a run above it makes a label, and a run joins the labels of all the runs
// above it. False when the image has more areas than labels may be made for.
template <int Channels>
bool CVendrel::LabelRuns(const RunScanner<Channels>& scan, LabelForest& forest, std::vector<LabeledRun>& above,
                         std::vector<LabeledRun>& current) const
{
    const Rect& rect = filterRecord->outRect;
    const uint8* const data = static_cast<const uint8*>(filterRecord->outData);
    const intptr_t rowBytes = filterRecord->outRowBytes;
    size_t aboveCount = 0;
    for (int32 y = 0; y < rect.bottom; ++y) {
        const size_t count = FindRuns(scan, data + intptr_t(y) * rowBytes, rect.right, current.data());
        // Runs of a row come left to right: the first run above that may touch the next run only moves on.
        size_t first = 0;
        for (LabeledRun& run : std::span(current.data(), count)) {
            while (first < aboveCount && above[first].right < run.left)
                ++first;
            if (first == aboveCount || above[first].left > run.right) {
                if (!forest.Make(run.label))
                    return false;
                continue;
            }
            run.label = above[first].label;
            for (size_t k = first + 1; k < aboveCount && above[k].left <= run.right; ++k)
                forest.Join(run.label, above[k].label);
        }
        above.swap(current);
        aboveCount = count;
    }
    return true;
}

// The second pass: each run's area is the area of a run above it, or the root of the label the first pass
// made for it; an area met for the first time takes the next area colour.
template <int Channels>
bool CVendrel::PaintLabeledRuns(const RunScanner<Channels>& scan, LabelForest& forest, std::vector<LabeledRun>& above,
                                std::vector<LabeledRun>& current, bool& foundArea)
{
    const Rect& rect = filterRecord->outRect;
    uint8* const data = static_cast<uint8*>(filterRecord->outData);
    const intptr_t rowBytes = filterRecord->outRowBytes;
    forest.Settle();
    // Four channels do not fit in a slot: their colours are kept beside the forest.
    std::vector<uint8> wideColors(Channels > 3 ? size_t(forest.Count()) * Channels : 0);
    uint32 nextLabel = 0;
    bool aborted = false;
    uint32 paintedArea = ~0u;
    uint8 color[4] = {};
    RunPainter<Channels> painter(color);
    size_t aboveCount = 0;
    for (int32 y = 0; y < rect.bottom; ++y) {
        uint8* const row = data + intptr_t(y) * rowBytes;
        const size_t count = FindRuns(scan, row, rect.right, current.data());
        size_t first = 0;
        for (LabeledRun& run : std::span(current.data(), count)) {
            while (first < aboveCount && above[first].right < run.left)
                ++first;
            const bool touches = first < aboveCount && above[first].left <= run.right;
            // Labels above are areas already; a run with none above has the next label the first pass made.
            const uint32 area = touches ? above[first].label : forest.Area(nextLabel++);
            run.label = area;
            if (area != paintedArea) {
                if (!forest.IsColored(area)) {
                    // After an abort only the areas already met are finished.
                    if (aborted)
                        continue;
                    ChooseAreaColor();
                    foundArea = true;
                    if (Channels > 3)
                        std::memcpy(&wideColors[size_t(area) * Channels], paintColor, Channels);
                    forest.SetColor(area, PackColor(paintColor, Channels > 3 ? 3 : Channels));
                }
                if (Channels > 3)
                    std::memcpy(color, &wideColors[size_t(area) * Channels], Channels);
                else
                    UnpackColor(forest.Color(area), color, Channels);
                // Made again only when the area changes: a colour stored just before would be read back slowly.
                painter = RunPainter<Channels>(color);
                paintedArea = area;
            }
            if (run.left == run.right)
                std::memcpy(row + intptr_t(run.left) * Channels, color, Channels);
            else
                painter.Paint(row, run.left, run.right + 1);
        }
        above.swap(current);
        aboveCount = count;
        if (aborted)
            continue;
        if (filterRecord->progressProc)
            filterRecord->progressProc(y + 1, rect.bottom);
        if (filterRecord->abortProc && filterRecord->abortProc())
            aborted = true;
    }
    return !aborted;
}
