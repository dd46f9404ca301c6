// The walk by labelling: the areas are found by labelling the image's runs row by row, then painted row by
// row. Both passes read the image in order, where a flood follows each area through it and pays a cache miss
// on every row it enters.
//
// The result is the walk's: every area is a 4-connected set of window pixels, and the areas take their
// colours in the order of their first pixels in the rows, which is the order in which the second pass meets
// them. Without small-area treatment a colour that still lies in the window changes nothing either: the areas
// were all found before any pixel was painted, as the walk's marks would have kept them apart. Progress and
// the abort are heard after each painted row, as in the walk; an abort leaves every area met so far painted
// whole and the others as they were. The first pass calls nothing in the host.
//
// With small-area treatment the first pass measures the areas too, and every area colour is chosen before
// the second pass, which paints small areas in the flag colour and records the seeds to join. The walk is
// used instead wherever its repaint could reach beyond an area or its colours could match again: an area
// colour or the flag colour inside the window, or an area colour among the colours touching the window.
// Where the flag colour is not among those colours either, the areas to join are joined during the second
// pass, each as soon as it is whole and its colour lies in the rows painted (EarlyJoins.h); the join pass
// deals with the rest.
#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>
#include <vector>

#include "AreaRandom.h"
#include "AreaSizes.h"
#include "BoundaryColors.h"
#include "CPSPalette.h"
#include "CVendrel.h"
#include "EarlyJoins.h"
#include "GatherTouching.h"
#include "LabelForest.h"
#include "PackedColor.h"
#include "RingWalkOrder.h"
#include "RowRuns.h"

namespace {

// The bytes the labelling may keep per label for an image: a hundredth of the image's bytes, less the rows
// of runs, their masks and the touching colours.
size_t LabelBudget(size_t imageBytes, int32 width)
{
    const size_t fixed = 2 * (size_t(width) / 2 + 2) * sizeof(LabeledRun) + 3 * (size_t(width) / 16 + 1) * 2 +
                         BoundaryColors::kMostColors * 48;
    return imageBytes / 100 > fixed ? imageBytes / 100 - fixed : 0;
}

// The labels that may be made within the budget; small images get room for a few thousand.
size_t LabelLimit(size_t budget, size_t bitsPerLabel)
{
    const size_t limit = budget * 8 / bitsPerLabel;
    return limit > 4096 ? limit : 4096;
}

// What the joins made while painting may keep: the label budget less what the labels made take and the
// seeds of the areas to join (up to three bytes each where they lie on different rows); small images get
// room for about a thousand runs.
size_t EarlyJoinBudget(size_t budget, size_t labels, size_t bitsPerLabel, size_t areasToJoin)
{
    constexpr size_t kSmallImageBytes = 16384;
    const size_t taken = labels * bitsPerLabel / 8 + areasToJoin * 3;
    return std::max(budget > taken ? budget - taken : 0, kSmallImageBytes);
}

// Whether the labels made in the rows above row y, carried on at that pace over the rows left, would come
// to twice the limit: the image then has far more areas than the labels can hold, and the walk floods them
// without first reading the whole image in vain. Looked at from a sixteenth of the rows on.
bool WillRunOutOfLabels(const LabelForest& forest, int32 y, int32 height)
{
    if (y == 0 || y % 64 != 0 || y < height / 16)
        return false;
    return uint64_t(forest.Count()) * uint64_t(height) > 2 * uint64_t(forest.Limit()) * uint64_t(y);
}

// The generator and the palette position, so that colours chosen ahead can be given back.
struct ColorSource {
    uint32 randomState;
    CPSPalette* palette;
    std::optional<CPSPalette> paletteCopy;

    explicit ColorSource(CPSPalette* held) : randomState(AreaRandomState()), palette(held)
    {
        if (held)
            paletteCopy.emplace(*held);
    }
    void Restore() const
    {
        SetAreaRandomState(randomState);
        if (palette)
            *palette = *paletteCopy;
    }
};

} // namespace

// Where the areas' colours are kept: in the forest's slots, and for four channels beside it as well.
template <int Channels> class AreaColors {
public:
    explicit AreaColors(LabelForest& forest)
        : forest_(forest), wide_(Channels > 3 ? size_t(forest.Count()) * Channels : 0)
    {
    }
    bool Has(uint32 area) const { return forest_.IsColored(area); }
    void Store(uint32 area, const uint8* color)
    {
        forest_.SetColor(area, PackColor(color, Channels > 3 ? 3 : Channels));
        if (Channels > 3)
            std::memcpy(&wide_[size_t(area) * Channels], color, Channels);
    }
    void Load(uint32 area, uint8* color) const
    {
        if (Channels > 3)
            std::memcpy(color, &wide_[size_t(area) * Channels], Channels);
        else
            UnpackColor(forest_.Color(area), color, Channels);
    }

private:
    LabelForest& forest_;
    std::vector<uint8> wide_;
};

// The small-area treatment of a labelled run: the sizes, the flag colour as converted for the image, and
// which areas the second pass has met.
struct LabelTreatment {
    const AreaSizes& sizes;
    std::vector<bool> met;
    uint32 metCount = 0;
    uint8 flag[4] = {};
    bool flagDark = false;
    // The joins made while painting, where no touching pixel holds the flag colour; null otherwise.
    std::optional<EarlyJoins> early = std::nullopt;
    // The seeds that may still walk beyond the nearest offsets while painting.
    size_t farWalksLeft = 64;
    size_t areasToJoin = 0;

    // The flag colour is painted over an area's colour when it differs from it and is not dark.
    template <int Channels> bool FlagPaints(const uint8* color) const
    {
        return !flagDark && std::memcmp(flag, color, Channels) != 0;
    }
};

CVendrel::LabelOutcome CVendrel::PaintAreasByLabels(const CVendrelParams& params, bool& foundArea)
{
    if (!filterRecord || !filterRecord->outData || PlaneStep() != 1 || ColumnStep() != channels)
        return LabelOutcome::NotUsed;
    switch (channels) {
    case 1:
        return PaintAreasByLabels<1>(params, foundArea);
    case 3:
        return PaintAreasByLabels<3>(params, foundArea);
    case 4:
        return PaintAreasByLabels<4>(params, foundArea);
    default:
        return LabelOutcome::NotUsed;
    }
}

template <int Channels>
CVendrel::LabelOutcome CVendrel::PaintAreasByLabels(const CVendrelParams& params, bool& foundArea)
{
    const Rect& rect = filterRecord->outRect;
    if (rect.left != 0 || rect.top != 0 || rect.right <= 0 || rect.bottom <= 0)
        return LabelOutcome::NotUsed;
    const RunScanner<Channels> scan(RunWindow::Of(windowLow, windowHigh));
    const bool treated = params.flagAreas || params.joinAreas;
    const uint32 largestLimit =
        std::max(params.flagAreas ? uint32(params.flagSize) : 0u, params.joinAreas ? uint32(params.joinSize) : 0u);
    AreaSizes sizes(treated, params.measureArea, largestLimit);
    const size_t imageBytes = size_t(rect.right) * size_t(rect.bottom) * Channels;
    // Colours of four channels do not fit in a slot: they are kept beside the forest. An area to be joined
    // adds its seed, a byte or two in the seed list.
    const size_t keptPerLabel = LabelForest::kBitsPerLabel + (Channels > 3 ? 8 * size_t(Channels) : 0) +
                                sizes.BitsPerLabel() + (treated ? 1 : 0);
    const size_t budget = LabelBudget(imageBytes, rect.right);
    const size_t limit = LabelLimit(budget, keptPerLabel + (params.joinAreas ? 12 : 0));
    LabelForest forest(limit);
    sizes.Reserve(limit);
    BoundaryColors boundary;
    RowRuns<Channels> rows(scan, rect.right);
    if (!LabelRuns(rows, forest, sizes, treated ? &boundary : nullptr))
        return LabelOutcome::NotUsed;
    forest.Settle();
    sizes.RollUp(forest);
    rows.Restart();
    AreaColors<Channels> colors(forest);
    if (!treated)
        return PaintLabeledRuns(rows, forest, colors, nullptr, params, foundArea) ? LabelOutcome::Done
                                                                                  : LabelOutcome::Aborted;
    const ColorSource source(palette);
    LabelTreatment treatment{sizes, std::vector<bool>(forest.Count(), false)};
    if (!ChooseColorsAhead(forest, colors, boundary, params, treatment)) {
        source.Restore();
        return LabelOutcome::NotUsed;
    }
    const size_t earlyBudget = EarlyJoinBudget(budget, forest.Count(), keptPerLabel, treatment.areasToJoin);
    if (params.joinAreas && !boundary.MayHold(PackColor(treatment.flag, Channels)))
        treatment.early.emplace(earlyBudget);
    if (PaintLabeledRuns(rows, forest, colors, &treatment, params, foundArea))
        return LabelOutcome::Done;
    // The walk would have chosen colours only for the areas met before the abort.
    source.Restore();
    for (uint32 area = 0; area < treatment.metCount; ++area)
        ChooseAreaColor();
    return LabelOutcome::Aborted;
}

// Converts the flag colour and chooses every area's colour in the order of the areas, as the walk would,
// keeping it in colors. False when the walk must be used: a colour that would still match the window, a flag
// colour that would, or a small area whose colour touches the window's edge somewhere.
template <int Channels>
bool CVendrel::ChooseColorsAhead(LabelForest& forest, AreaColors<Channels>& colors, const BoundaryColors& boundary,
                                 const CVendrelParams& params, LabelTreatment& treatment)
{
    ConvertRGB(params.flagColor, treatment.flag);
    std::memcpy(paintColor, treatment.flag, sizeof paintColor);
    if (PaintColorInWindow())
        return false;
    // Outside the window, the flag colour is unacceptable only when it is dark.
    treatment.flagDark = !IsAcceptableColor(false);
    const AreaSizes& sizes = treatment.sizes;
    for (uint32 label = 0; label < forest.Count(); ++label) {
        if (forest.Area(label) != label)
            continue;
        ChooseAreaColor();
        if (!IsAcceptableColor(false))
            return false;
        const bool join = params.joinAreas && sizes.IsSmall(label, uint32(params.joinSize));
        const bool small = join || (params.flagAreas && sizes.IsSmall(label, uint32(params.flagSize)));
        if (small && boundary.MayHold(PackColor(paintColor, Channels)))
            return false;
        treatment.areasToJoin += join ? 1 : 0;
        colors.Store(label, paintColor);
    }
    return true;
}

// The first pass: every run without a run above it makes a label, and a run joins the labels of all the runs
// above it; runs add to their label's size, and the colours touching the window are gathered when asked for.
// False when the image has more areas than labels may be made for.
template <int Channels>
bool CVendrel::LabelRuns(RowRuns<Channels>& rows, LabelForest& forest, AreaSizes& sizes, BoundaryColors* boundary) const
{
    const Rect& rect = filterRecord->outRect;
    const uint8* const data = static_cast<const uint8*>(filterRecord->outData);
    const intptr_t rowBytes = filterRecord->outRowBytes;
    std::vector<uint16> gathered;
    for (int32 y = 0; y < rect.bottom; ++y) {
        if (WillRunOutOfLabels(forest, y, rect.bottom))
            return false;
        const uint8* const row = data + intptr_t(y) * rowBytes;
        const bool changed = rows.Read(row);
        if (boundary)
            GatherTouchingColors<Channels>(rows, row, y > 0 ? row - rowBytes : nullptr, rect.right, gathered,
                                           *boundary);
        // A row like the one above continues its areas and joins none.
        if (!changed) {
            if (!sizes.IsNone())
                for (const LabeledRun& run : rows.AboveRuns())
                    sizes.Add(run.label, run, y);
            continue;
        }
        // Runs of a row come left to right: the first run above that may touch the next run only moves on.
        const LabeledRun* above = rows.Above();
        for (LabeledRun& run : rows.Current()) {
            while (above->right < run.left)
                ++above;
            if (above->left > run.right) {
                if (!forest.Make(run.label))
                    return false;
                if (!sizes.IsNone())
                    sizes.Make();
            } else {
                run.label = above->label;
                for (const LabeledRun* next = above + 1; next->left <= run.right; ++next)
                    forest.Join(run.label, next->label);
            }
            if (!sizes.IsNone())
                sizes.Add(run.label, run, y);
        }
        rows.Advance();
    }
    return true;
}

namespace {

// Paints runs with the colours of their areas. Without treatment an area's colour is chosen when it is first
// met; with it the colours were chosen ahead, and an area met for the first time is measured: a small one is
// painted in the flag colour, and one to be joined gives its first pixel as its seed.
template <int Channels> class AreaPainter {
public:
    AreaPainter(AreaColors<Channels>& colors, CVendrel& engine, LabelTreatment* treatment, const CVendrelParams& params,
                uint8* data, intptr_t rowBytes)
        : colors_(colors), engine_(engine), treatment_(treatment), params_(params), data_(data), rowBytes_(rowBytes)
    {
    }

    // Paints the run in its area's colour; false when the area has not been met and may not be now.
    bool Paint(uint8* row, int32 y, const LabeledRun& run, bool mayMeet)
    {
        if (run.label != paintedArea_ && !TakeArea(run, y, mayMeet))
            return false;
        // A deferred area keeps its runs unpainted while joins are made; otherwise it is painted now.
        if (waitingSlot_ != EarlyJoins::kNoSlot && treatment_->early->IsActive()) {
            EarlyJoins& early = *treatment_->early;
            if (early.AddRun(waitingSlot_, y, run.left, run.right))
                return true;
            early.Stop(FlagPainter());
        }
        if (run.left == run.right)
            std::memcpy(row + intptr_t(run.left) * Channels, color_, Channels);
        else
            painter_.Paint(row, run.left, run.right + 1);
        return true;
    }
    // Paints the runs of a deferred area that is not joined while painting in the flag colour, which it
    // would hold until the join pass.
    auto FlagPainter() const
    {
        return [this](const EarlyJoins::RunList& runs) {
            const RunPainter<Channels> flag(treatment_->flag);
            runs.ForEach([&](const EarlyJoins::Run& run) {
                flag.Paint(data_ + intptr_t(run.row) * rowBytes_, run.left, run.right + 1);
            });
        };
    }
    bool MetAny() const { return metAny_; }

private:
    [[gnu::noinline]] bool TakeArea(const LabeledRun& run, int32 y, bool mayMeet)
    {
        const uint32 area = run.label;
        const bool met = treatment_ ? bool(treatment_->met[area]) : colors_.Has(area);
        if (!met) {
            if (!mayMeet)
                return false;
            metAny_ = true;
            if (treatment_) {
                MeetTreated(area, run.left, y);
            } else {
                engine_.ChooseAreaColor();
                colors_.Store(area, engine_.paintColor);
            }
        }
        colors_.Load(area, color_);
        // Changed only when the area changes: a colour stored just before would be read back slowly.
        painter_.SetColor(color_);
        paintedArea_ = area;
        waitingSlot_ = DeferredSlot(area);
        return true;
    }
    // Where the area waits unpainted to be joined while painting, if it does.
    size_t DeferredSlot(uint32 area) const
    {
        if (!treatment_ || !treatment_->early || !treatment_->early->IsActive() || !params_.joinAreas ||
            !treatment_->sizes.IsSmall(area, uint32(params_.joinSize)))
            return EarlyJoins::kNoSlot;
        const size_t slot = treatment_->early->SlotOf(area);
        return slot != EarlyJoins::kNoSlot && treatment_->early->IsDeferred(slot) ? slot : EarlyJoins::kNoSlot;
    }
    void MeetTreated(uint32 area, int32 x, int32 y)
    {
        treatment_->met[area] = true;
        ++treatment_->metCount;
        const bool flag = params_.flagAreas && treatment_->sizes.IsSmall(area, uint32(params_.flagSize));
        const bool join = params_.joinAreas && treatment_->sizes.IsSmall(area, uint32(params_.joinSize));
        uint8 color[4] = {};
        colors_.Load(area, color);
        if ((flag || join) && treatment_->template FlagPaints<Channels>(color)) {
            colors_.Store(area, treatment_->flag);
            std::memcpy(color, treatment_->flag, Channels);
        }
        if (!join)
            return;
        engine_.AddJoinSeed(x, y);
        // An area that holds the flag colour until it is joined is painted once its colour is known.
        if (treatment_->early)
            treatment_->early->Meet(area, JoinSeed{uint16(x), uint16(y)},
                                    std::memcmp(color, treatment_->flag, Channels) == 0);
    }

    AreaColors<Channels>& colors_;
    CVendrel& engine_;
    LabelTreatment* treatment_;
    const CVendrelParams& params_;
    uint8* data_;
    intptr_t rowBytes_;
    uint32 paintedArea_ = ~0u;
    size_t waitingSlot_ = EarlyJoins::kNoSlot;
    uint8 color_[4] = {};
    RunPainter<Channels> painter_{color_};
    bool metAny_ = false;
};

} // namespace

// The second pass: each run's area is the area of a run above it, or the root of the label the first pass
// made for it. After an abort only the areas already met are finished.
template <int Channels>
bool CVendrel::PaintLabeledRuns(RowRuns<Channels>& rows, LabelForest& forest, AreaColors<Channels>& colors,
                                LabelTreatment* treatment, const CVendrelParams& params, bool& foundArea)
{
    const Rect& rect = filterRecord->outRect;
    uint8* const data = static_cast<uint8*>(filterRecord->outData);
    const intptr_t rowBytes = filterRecord->outRowBytes;
    AreaPainter<Channels> painter(colors, *this, treatment, params, data, rowBytes);
    std::optional<RingWalkOrder> order;
    if (treatment && treatment->early)
        order.emplace();
    uint32 nextLabel = 0;
    bool aborted = false;
    for (int32 y = 0; y < rect.bottom; ++y) {
        uint8* const row = data + intptr_t(y) * rowBytes;
        if (!rows.Read(row)) {
            // The areas of the row above, every one of them met already.
            for (const LabeledRun& run : rows.AboveRuns())
                painter.Paint(row, y, run, false);
        } else {
            const LabeledRun* above = rows.Above();
            for (LabeledRun& run : rows.Current()) {
                while (above->right < run.left)
                    ++above;
                // Labels above are areas already; a run with none above has the next label the first pass made.
                run.label = above->left <= run.right ? above->label : forest.Area(nextLabel++);
                painter.Paint(row, y, run, !aborted);
            }
            rows.Advance();
        }
        if (aborted)
            continue;
        if (treatment && treatment->early)
            JoinWhilePainting<Channels>(*treatment, y, y == rect.bottom - 1, *order, painter.FlagPainter());
        if (filterRecord->progressProc)
            filterRecord->progressProc(y + 1, rect.bottom);
        if (filterRecord->abortProc && filterRecord->abortProc()) {
            aborted = true;
            // The areas met are finished whole; those waiting unpainted take the flag colour now.
            if (treatment && treatment->early)
                treatment->early->Stop(painter.FlagPainter());
        }
    }
    foundArea = foundArea || painter.MetAny();
    if (treatment && treatment->early) {
        treatment->early->Stop(painter.FlagPainter());
        SkipSeedsJoinedEarly(treatment->early->Joined());
    }
    return !aborted;
}

// Joins the areas that wait and can be joined now that row y is painted: each takes the colour the join pass
// would give it, painted over its runs. An area that waits unpainted and is not joined here takes the flag
// colour (paintFlag).
template <int Channels, typename PaintFlag>
void CVendrel::JoinWhilePainting(LabelTreatment& treatment, int32 y, bool lastRow, RingWalkOrder& order,
                                 const PaintFlag& paintFlag)
{
    uint8* const data = static_cast<uint8*>(filterRecord->outData);
    const intptr_t rowBytes = filterRecord->outRowBytes;
    const auto join = [&](const JoinSeed& seed, bool deferred, const EarlyJoins::RunList& runs) {
        // An area that does not hold the flag colour is passed over by the join pass too.
        if (!deferred)
            return EarlyJoins::Step::Done;
        uint8 color[4] = {};
        switch (EarlyJoinColor(seed, y, treatment.flag, order, treatment.farWalksLeft, color)) {
        case EarlyJoinLook::Found: {
            const RunPainter<Channels> painter(color);
            runs.ForEach([&](const EarlyJoins::Run& run) {
                painter.Paint(data + intptr_t(run.row) * rowBytes, run.left, run.right + 1);
            });
            return EarlyJoins::Step::Done;
        }
        case EarlyJoinLook::NoColor:
            paintFlag(runs);
            return EarlyJoins::Step::Done;
        case EarlyJoinLook::Later:
            return EarlyJoins::Step::Wait;
        case EarlyJoinLook::Far:
            break;
        }
        return EarlyJoins::Step::GiveUp;
    };
    treatment.early->JoinReady(y, lastRow, join, paintFlag);
}

void CVendrel::SkipSeedsJoinedEarly(size_t count)
{
    JoinSeed seed{0, 0};
    seedsJoinedEarly = JoinSeedList::Cursor{};
    for (size_t k = 0; k < count && joinSeeds.Next(seedsJoinedEarly, seed); ++k) {
    }
}
