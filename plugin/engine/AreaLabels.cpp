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
#include <cstring>
#include <vector>

#include "CVendrel.h"
#include "LabelForest.h"
#include "RowRuns.h"

namespace {

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
    RowRuns<Channels> rows(scan, rect.right);
    if (!LabelRuns(rows, forest))
        return LabelOutcome::NotUsed;
    rows.Restart();
    return PaintLabeledRuns(rows, forest, foundArea) ? LabelOutcome::Done : LabelOutcome::Aborted;
}

// The first pass: every run without a run above it makes a label, and a run joins the labels of all the runs
// above it. False when the image has more areas than labels may be made for.
template <int Channels> bool CVendrel::LabelRuns(RowRuns<Channels>& rows, LabelForest& forest) const
{
    const Rect& rect = filterRecord->outRect;
    const uint8* const data = static_cast<const uint8*>(filterRecord->outData);
    const intptr_t rowBytes = filterRecord->outRowBytes;
    for (int32 y = 0; y < rect.bottom; ++y) {
        // A row like the one above continues its areas and joins none.
        if (!rows.Read(data + intptr_t(y) * rowBytes))
            continue;
        // Runs of a row come left to right: the first run above that may touch the next run only moves on.
        const LabeledRun* above = rows.Above();
        for (LabeledRun& run : rows.Current()) {
            while (above->right < run.left)
                ++above;
            if (above->left > run.right) {
                if (!forest.Make(run.label))
                    return false;
                continue;
            }
            run.label = above->label;
            for (const LabeledRun* next = above + 1; next->left <= run.right; ++next)
                forest.Join(run.label, next->label);
        }
        rows.Advance();
    }
    return true;
}

namespace {

// Paints runs with the colours of their areas, choosing an area's colour when it is first met.
template <int Channels> class AreaPainter {
public:
    AreaPainter(LabelForest& forest, CVendrel& engine)
        : forest_(forest), engine_(engine), wideColors_(Channels > 3 ? size_t(forest.Count()) * Channels : 0)
    {
    }

    // Paints the run in its area's colour; false when the area has no colour and may not take one.
    bool Paint(uint8* row, const LabeledRun& run, bool mayChoose)
    {
        if (run.label != paintedArea_ && !TakeArea(run.label, mayChoose))
            return false;
        if (run.left == run.right)
            std::memcpy(row + intptr_t(run.left) * Channels, color_, Channels);
        else
            painter_.Paint(row, run.left, run.right + 1);
        return true;
    }
    bool ChoseAny() const { return choseAny_; }

private:
    [[gnu::noinline]] bool TakeArea(uint32 area, bool mayChoose)
    {
        if (!forest_.IsColored(area)) {
            if (!mayChoose)
                return false;
            engine_.ChooseAreaColor();
            choseAny_ = true;
            if (Channels > 3)
                std::memcpy(&wideColors_[size_t(area) * Channels], engine_.paintColor, Channels);
            forest_.SetColor(area, PackColor(engine_.paintColor, Channels > 3 ? 3 : Channels));
        }
        if (Channels > 3)
            std::memcpy(color_, &wideColors_[size_t(area) * Channels], Channels);
        else
            UnpackColor(forest_.Color(area), color_, Channels);
        // Made again only when the area changes: a colour stored just before would be read back slowly.
        painter_ = RunPainter<Channels>(color_);
        paintedArea_ = area;
        return true;
    }

    LabelForest& forest_;
    CVendrel& engine_;
    // Four channels do not fit in a slot: their colours are kept beside the forest.
    std::vector<uint8> wideColors_;
    uint32 paintedArea_ = ~0u;
    uint8 color_[4] = {};
    RunPainter<Channels> painter_{color_};
    bool choseAny_ = false;
};

} // namespace

// The second pass: each run's area is the area of a run above it, or the root of the label the first pass
// made for it; an area met for the first time takes the next area colour. After an abort only the areas
// already met are finished.
template <int Channels> bool CVendrel::PaintLabeledRuns(RowRuns<Channels>& rows, LabelForest& forest, bool& foundArea)
{
    const Rect& rect = filterRecord->outRect;
    uint8* const data = static_cast<uint8*>(filterRecord->outData);
    const intptr_t rowBytes = filterRecord->outRowBytes;
    forest.Settle();
    AreaPainter<Channels> painter(forest, *this);
    uint32 nextLabel = 0;
    bool aborted = false;
    for (int32 y = 0; y < rect.bottom; ++y) {
        uint8* const row = data + intptr_t(y) * rowBytes;
        if (!rows.Read(row)) {
            // The areas of the row above, every one of them met already.
            for (const LabeledRun& run : rows.AboveRuns())
                painter.Paint(row, run, false);
        } else {
            const LabeledRun* above = rows.Above();
            for (LabeledRun& run : rows.Current()) {
                while (above->right < run.left)
                    ++above;
                // Labels above are areas already; a run with none above has the next label the first pass made.
                run.label = above->left <= run.right ? above->label : forest.Area(nextLabel++);
                painter.Paint(row, run, !aborted);
            }
            rows.Advance();
        }
        if (aborted)
            continue;
        if (filterRecord->progressProc)
            filterRecord->progressProc(y + 1, rect.bottom);
        if (filterRecord->abortProc && filterRecord->abortProc())
            aborted = true;
    }
    foundArea = foundArea || painter.ChoseAny();
    return !aborted;
}
