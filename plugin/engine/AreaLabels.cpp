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
// Only the sets of runs still open are kept in either pass (OpenSets.h). The first pass leaves a few bits per
// label (LabelSummary.h), and the second makes the same labels again, so images with millions of areas stay
// within a small share of their size.
//
// With small-area treatment the first pass measures the areas too, and every area colour is drawn once
// before the second pass to see that the walk's checks hold, then drawn again in the same order as the
// second pass meets the areas; small areas are painted in the flag colour and give their seeds to join. The
// walk is used instead wherever its repaint could reach beyond an area or its colours could match again: an
// area colour or the flag colour inside the window, or an area colour among the colours touching the window.
// Where the flag colour is not among those colours either, the areas to join are joined during the second
// pass, each as soon as its colour lies in the rows painted (EarlyJoins.h); the join pass
// deals with the rest.
#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "AreaMeasure.h"
#include "AreaRandom.h"
#include "BoundaryColors.h"
#include "CPSPalette.h"
#include "CVendrel.h"
#include "EarlyJoins.h"
#include "GatherTouching.h"
#include "LabelSummary.h"
#include "OpenSets.h"
#include "PackedColor.h"
#include "RingWalkOrder.h"
#include "RowRuns.h"

namespace {

// How a run was painted: directly in a colour, or not (its area waits, or was not met), to be painted the
// same way on a row like its own.
struct PaintedRun {
    uint8 color[4];
    bool direct;
};

// What small images may keep whatever their size: room for a few thousand labels, or about a thousand runs
// of areas waiting to be joined.
constexpr size_t kSmallImageBytes = 16384;

// The bytes the labelling may keep for an image: a hundredth of the image's bytes, less the rows of runs,
// their masks, what each row was found to be, how the runs above were painted and the touching colours.
size_t LabelBudget(size_t imageBytes, int32 width, int32 height)
{
    const size_t fixed = 2 * (size_t(width) / 2 + 2) * sizeof(LabeledRun) + 3 * (size_t(width) / 16 + 1) * 2 +
                         BoundaryColors::kMostColors * 48 + (size_t(width) / 2 + 2) * sizeof(PaintedRun) +
                         size_t(height);
    const size_t share = imageBytes / 100 > fixed ? imageBytes / 100 - fixed : 0;
    return std::max(share, kSmallImageBytes);
}

// What each open set takes at most: two rows of sets being numbered afresh, grown by doubling in the first
// pass, and its new number.
constexpr size_t kBytesPerOpenSet = 88;

// What the joins made while painting may keep: the budget less what the labels and their seeds take.
size_t EarlyJoinBudget(size_t budget, size_t taken)
{
    return std::max(budget > taken ? budget - taken : 0, kSmallImageBytes);
}

// Whether the labels made in the rows above row y, carried on at that pace over the rows left, would come
// to twice the limit: the image then has far more areas than the labels can hold, and the walk floods them
// without first reading the whole image in vain. Looked at from a sixteenth of the rows on.
bool WillRunOutOfLabels(const LabelSummary& summary, int32 y, int32 height)
{
    if (y == 0 || y % 64 != 0 || y < height / 16)
        return false;
    return uint64_t(summary.Count()) * uint64_t(height) > 2 * uint64_t(summary.Limit()) * uint64_t(y);
}

// The generator and the palette position, so that colours drawn ahead can be given back.
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

// An open set of the first pass: its label and what its runs measure.
struct MeasuredSet {
    uint32 label;
    AreaMeasure measure;
};

// An open set of the second pass: its label, its area (the area's first label) and what the area took when
// it was met.
struct PaintedSet {
    uint32 label;
    uint32 area;
    uint8 color[4];
    uint32 slot; // where the area waits unpainted to be joined while painting, or kNoSlot
    bool met;

    static constexpr uint32 kNoSlot = ~0u;
};

} // namespace

// The small-area treatment of a labelled run: the labels' summary, the flag colour as converted for the image,
// and the joins made while painting.
struct LabelTreatment {
    LabelSummary& summary;
    uint8 flag[4] = {};
    bool flagDark = false;
    // The joins made while painting, where no touching pixel holds the flag colour; null otherwise.
    std::optional<EarlyJoins> early = std::nullopt;
    // The seeds that may still walk beyond the nearest offsets while painting.
    size_t farWalksLeft = 64;

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
    const size_t imageBytes = size_t(rect.right) * size_t(rect.bottom) * Channels;
    const size_t budget = LabelBudget(imageBytes, rect.right, rect.bottom);
    LabelSummary summary(budget);
    BoundaryColors boundary;
    RowRuns<Channels> rows(scan, rect.right, rect.bottom);
    size_t mostSets = 0;
    if (!LabelRuns(rows, summary, params, treated ? &boundary : nullptr, mostSets))
        return LabelOutcome::NotUsed;
    summary.Settle();
    rows.Restart();
    if (!treated)
        return PaintLabeledRuns(rows, summary, nullptr, mostSets, params, foundArea) ? LabelOutcome::Done
                                                                                     : LabelOutcome::Aborted;
    LabelTreatment treatment{summary};
    const ColorSource source(palette);
    const bool colorsHold = CheckColorsAhead<Channels>(boundary, params, treatment);
    // The second pass draws the colours again as it meets the areas.
    source.Restore();
    if (!colorsHold)
        return LabelOutcome::NotUsed;
    if (params.joinAreas && joinSeeds.empty() && !boundary.MayHold(PackColor(treatment.flag, Channels)))
        treatment.early.emplace(EarlyJoinBudget(budget, summary.Bytes()), joinSeeds);
    return PaintLabeledRuns(rows, summary, &treatment, mostSets, params, foundArea) ? LabelOutcome::Done
                                                                                    : LabelOutcome::Aborted;
}

// Converts the flag colour and draws every area's colour in the order of the areas, as the walk would. False
// when the walk must be used: a colour that would still match the window, a flag colour that would, or a
// small area whose colour touches the window's edge somewhere.
template <int Channels>
bool CVendrel::CheckColorsAhead(const BoundaryColors& boundary, const CVendrelParams& params, LabelTreatment& treatment)
{
    ConvertRGB(params.flagColor, treatment.flag);
    std::memcpy(paintColor, treatment.flag, sizeof paintColor);
    if (PaintColorInWindow())
        return false;
    // Outside the window, the flag colour is unacceptable only when it is dark.
    treatment.flagDark = !IsAcceptableColor(false);
    const LabelSummary& summary = treatment.summary;
    for (uint32 label = 0; label < summary.Count(); ++label) {
        if (!summary.IsFirst(label))
            continue;
        ChooseAreaColor();
        if (!IsAcceptableColor(false))
            return false;
        const bool small =
            (params.joinAreas && summary.IsJoinSmall(label)) || (params.flagAreas && summary.IsFlagSmall(label));
        if (small && boundary.MayHold(PackColor(paintColor, Channels)))
            return false;
    }
    return true;
}

// The first pass: every run without a run above it makes a label, and a run joins the sets of all the runs
// above it; runs add to their set's measure, a set that closes leaves its area's sizes, and the colours
// touching the window are gathered when asked for. mostSets is the most sets open at once. False when the
// image has more areas than labels may be made for.
template <int Channels>
bool CVendrel::LabelRuns(RowRuns<Channels>& rows, LabelSummary& summary, const CVendrelParams& params,
                         BoundaryColors* boundary, size_t& mostSets) const
{
    const Rect& rect = filterRecord->outRect;
    const uint8* const data = static_cast<const uint8*>(filterRecord->outData);
    const intptr_t rowBytes = filterRecord->outRowBytes;
    std::vector<uint16> gathered;
    OpenSets<MeasuredSet> sets;
    // Areas are measured only for the small-area treatment.
    const bool measured = params.flagAreas || params.joinAreas;
    // The rows like the row above since it was labelled, the last of them lastRow, add to its runs' sets.
    int32 repeated = 0;
    const auto addRepeated = [&](int32 lastRow) {
        if (measured && repeated > 0)
            for (const LabeledRun& run : rows.AboveRuns())
                sets[run.set].measure.AddRepeated(run, repeated, lastRow);
        repeated = 0;
    };
    bool fits = true;
    const auto merge = [&](MeasuredSet& kept, const MeasuredSet& gone) {
        kept.measure.Add(gone.measure);
        fits = summary.Joined(gone.label, kept.label) && fits;
    };
    const auto closed = [&](const MeasuredSet& set) {
        summary.Closed(set.label, params.flagAreas && set.measure.IsSmall(params.measureArea, uint32(params.flagSize)),
                       params.joinAreas && set.measure.IsSmall(params.measureArea, uint32(params.joinSize)));
    };
    // The seeds of the areas to join take at most what the first pixels of all areas would, one after another.
    size_t seedBytes = 0;
    JoinSeed lastFirst{0, 0};
    for (int32 y = 0; y < rect.bottom; ++y) {
        if (WillRunOutOfLabels(summary, y, rect.bottom))
            return false;
        const uint8* const row = data + intptr_t(y) * rowBytes;
        const bool changed = rows.Read(row);
        // A row whose pixels are those of the row above touches the window with the same colours.
        if (boundary && (changed || std::memcmp(row, row - rowBytes, size_t(rect.right) * Channels) != 0))
            GatherTouchingColors<Channels>(rows, row, y > 0 ? row - rowBytes : nullptr, rect.right, gathered,
                                           *boundary);
        // A row like the one above continues its areas and joins none; its runs are measured with the
        // next row that differs.
        if (!changed) {
            ++repeated;
            continue;
        }
        addRepeated(y - 1);
        // Runs of a row come left to right: the first run above that may touch the next run only moves on.
        const LabeledRun* above = rows.Above();
        for (LabeledRun& run : rows.Current()) {
            while (above->right < run.left)
                ++above;
            if (above->left > run.right) {
                uint32 label = 0;
                if (!summary.Make(label))
                    return false;
                run.set = sets.Make(MeasuredSet{label, {}});
                if (params.joinAreas) {
                    const JoinSeed first{run.left, uint16(y)};
                    seedBytes += JoinSeedList::BytesAfter(lastFirst, first);
                    lastFirst = first;
                }
            } else {
                run.set = above->set;
                for (const LabeledRun* next = above + 1; next->left <= run.right; ++next)
                    sets.Join(run.set, next->set, merge);
                run.set = sets.Root(run.set);
            }
            if (measured)
                sets[run.set].measure.Add(run, y);
        }
        mostSets = std::max(mostSets, sets.Count());
        if (!fits || !summary.KeepBeside(mostSets * kBytesPerOpenSet + seedBytes))
            return false;
        sets.EndRow(rows.Current(), closed);
        rows.Advance();
    }
    addRepeated(rect.bottom - 1);
    sets.EndImage(closed);
    return true;
}

namespace {

// Paints runs with the colours of their areas. An area's colour is drawn when its first label is met; with
// treatment a small area is painted in the flag colour, and one to be joined gives its first pixel as its
// seed.
template <int Channels> class AreaPainter {
public:
    AreaPainter(CVendrel& engine, LabelTreatment* treatment, const CVendrelParams& params, uint8* data,
                intptr_t rowBytes)
        : engine_(engine), treatment_(treatment), params_(params), data_(data), rowBytes_(rowBytes)
    {
    }

    // Meets the area whose first run is at (x, y): it takes its colour, and with treatment its size's.
    void Meet(PaintedSet& set, int32 x, int32 y)
    {
        set.met = true;
        metAny_ = true;
        engine_.ChooseAreaColor();
        std::memcpy(set.color, engine_.paintColor, sizeof set.color);
        if (treatment_)
            MeetTreated(set, x, y);
    }
    // Paints the run in its area's colour, when the area was met.
    void Paint(uint8* row, int32 y, const LabeledRun& run, const PaintedSet& set)
    {
        if (!set.met)
            return;
        if (set.area != paintedArea_)
            TakeArea(set);
        // A deferred area keeps its runs unpainted while it waits to be joined; otherwise it is painted now.
        if (waitingSlot_ != PaintedSet::kNoSlot) {
            EarlyJoins& early = *treatment_->early;
            if (early.AddRun(waitingSlot_, y, run.left, run.right))
                return;
            // No more runs may be kept: the areas waiting take the flag colour, this one too.
            early.Stop(FlagPainter());
            waitingSlot_ = PaintedSet::kNoSlot;
        }
        PaintRun(row, run);
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
    // How the run just painted in the set's area was painted.
    PaintedRun LastRun(const PaintedSet& set) const
    {
        PaintedRun painted{{}, set.met && waitingSlot_ == PaintedSet::kNoSlot};
        std::memcpy(painted.color, color_, sizeof color_);
        return painted;
    }
    // Paints a run as a run above it was painted directly.
    void PaintAgain(uint8* row, const LabeledRun& run, const PaintedRun& painted)
    {
        if (std::memcmp(color_, painted.color, sizeof color_) != 0) {
            std::memcpy(color_, painted.color, sizeof color_);
            painter_.SetColor(color_);
            paintedArea_ = ~0u;
            waitingSlot_ = PaintedSet::kNoSlot;
        }
        PaintRun(row, run);
    }
    bool MetAny() const { return metAny_; }
    // Joins change what a deferred area's runs take: the next run looks again.
    void Forget() { paintedArea_ = ~0u; }

private:
    // Runs of a few pixels, the most common, are painted in place a pixel at a time.
    void PaintRun(uint8* row, const LabeledRun& run) const
    {
        if (Channels == 1 || run.right - run.left >= 15)
            painter_.Paint(row, run.left, run.right + 1);
        else
            painter_.PaintFew(row, run.left, run.right + 1);
    }
    void TakeArea(const PaintedSet& set)
    {
        const uint8* color = set.color;
        waitingSlot_ = PaintedSet::kNoSlot;
        if (set.slot != PaintedSet::kNoSlot) {
            switch (treatment_->early->StateOf(set.slot)) {
            case EarlyJoins::State::Waiting:
                waitingSlot_ = set.slot;
                break;
            case EarlyJoins::State::Joined:
                color = treatment_->early->JoinedColor(set.slot);
                break;
            case EarlyJoins::State::LetGo:
                break;
            }
        }
        std::memcpy(color_, color, sizeof color_);
        painter_.SetColor(color_);
        paintedArea_ = set.area;
    }
    void MeetTreated(PaintedSet& set, int32 x, int32 y)
    {
        const LabelSummary& summary = treatment_->summary;
        const bool flag = params_.flagAreas && summary.IsFlagSmall(set.area);
        const bool join = params_.joinAreas && summary.IsJoinSmall(set.area);
        if ((flag || join) && treatment_->template FlagPaints<Channels>(set.color))
            std::memcpy(set.color, treatment_->flag, Channels);
        if (!join)
            return;
        if (!treatment_->early || !treatment_->early->IsActive()) {
            engine_.AddJoinSeed(x, y);
            return;
        }
        // An area that holds the flag colour until it is joined is painted once its colour is known.
        const bool deferred = std::memcmp(set.color, treatment_->flag, Channels) == 0;
        // With every area before it joined, one passed over or touching its colour is joined as it is met.
        if (treatment_->early->NoneWaiting()) {
            uint8 joined[4] = {};
            if (!deferred || engine_.NeighbourJoinColor(JoinSeed{uint16(x), uint16(y)}, treatment_->flag, joined)) {
                if (deferred)
                    std::memcpy(set.color, joined, sizeof joined);
                treatment_->early->JoinedAtMeet();
                return;
            }
        }
        const size_t slot = treatment_->early->Meet(JoinSeed{uint16(x), uint16(y)}, deferred);
        if (deferred && slot != EarlyJoins::kNoSlot)
            set.slot = uint32(slot);
    }

    CVendrel& engine_;
    LabelTreatment* treatment_;
    const CVendrelParams& params_;
    uint8* data_;
    intptr_t rowBytes_;
    uint32 paintedArea_ = ~0u;
    uint32 waitingSlot_ = PaintedSet::kNoSlot;
    uint8 color_[4] = {};
    RunPainter<Channels> painter_{color_};
    bool metAny_ = false;
};

} // namespace

// The second pass makes the first pass's labels again, in the same order: a label that is its area's first
// meets the area (until an abort), a later one takes what its area took. After an abort only the areas
// already met are finished.
template <int Channels>
bool CVendrel::PaintLabeledRuns(RowRuns<Channels>& rows, LabelSummary& summary, LabelTreatment* treatment,
                                size_t mostSets, const CVendrelParams& params, bool& foundArea)
{
    const Rect& rect = filterRecord->outRect;
    uint8* const data = static_cast<uint8*>(filterRecord->outData);
    const intptr_t rowBytes = filterRecord->outRowBytes;
    AreaPainter<Channels> painter(*this, treatment, params, data, rowBytes);
    std::optional<RingWalkOrder> order;
    if (treatment && treatment->early)
        order.emplace();
    OpenSets<PaintedSet> sets(mostSets);
    // What the areas that later labels belong to took, at their places in the summary.
    std::vector<PaintedSet> laterAreas(summary.LaterAreas());
    uint32 nextLabel = 0;
    bool aborted = false;
    const auto newSet = [&](const LabeledRun& run, int32 y) {
        const uint32 label = nextLabel++;
        if (!summary.IsFirst(label)) {
            PaintedSet set = laterAreas[summary.LaterAreaPlace(summary.AreaOfLater(label))];
            set.label = label;
            return set;
        }
        PaintedSet set{label, label, {}, PaintedSet::kNoSlot, false};
        if (!aborted)
            painter.Meet(set, run.left, y);
        if (summary.HasLater(label))
            laterAreas[summary.LaterAreaPlace(label)] = set;
        return set;
    };
    const auto sameArea = [](PaintedSet&, const PaintedSet&) {};
    // A deferred area that closes may be let go of once joined.
    const auto closed = [&](const PaintedSet& set) {
        if (set.slot != PaintedSet::kNoSlot)
            treatment->early->Closed(set.slot);
    };
    // How the runs above were painted, painted so again on the rows like it. A run painted directly keeps its
    // colour for good; the others are painted as any run. After joins the record is made again, so that the
    // areas joined since are painted directly too.
    std::vector<PaintedRun> paintedAbove;
    paintedAbove.reserve(size_t(rect.right) / 2 + 2);
    bool repaintable = false;
    size_t changes = treatment && treatment->early ? treatment->early->Changes() : 0;
    for (int32 y = 0; y < rect.bottom; ++y) {
        uint8* const row = data + intptr_t(y) * rowBytes;
        if (!rows.Read(row)) {
            // The areas of the row above, with their sets.
            const std::span<const LabeledRun> runs = rows.AboveRuns();
            if (repaintable) {
                for (size_t k = 0; k < runs.size(); ++k) {
                    if (paintedAbove[k].direct)
                        painter.PaintAgain(row, runs[k], paintedAbove[k]);
                    else
                        painter.Paint(row, y, runs[k], sets[runs[k].set]);
                }
            } else {
                paintedAbove.resize(runs.size());
                for (size_t k = 0; k < runs.size(); ++k) {
                    const PaintedSet& set = sets[runs[k].set];
                    painter.Paint(row, y, runs[k], set);
                    paintedAbove[k] = painter.LastRun(set);
                }
                repaintable = true;
            }
        } else {
            repaintable = false;
            const LabeledRun* above = rows.Above();
            for (LabeledRun& run : rows.Current()) {
                while (above->right < run.left)
                    ++above;
                if (above->left > run.right) {
                    run.set = sets.Make(newSet(run, y));
                } else {
                    // Sets of one area took the same, whichever stays the root.
                    run.set = above->set;
                    for (const LabeledRun* next = above + 1; next->left <= run.right; ++next)
                        sets.Join(run.set, next->set, sameArea);
                }
                painter.Paint(row, y, run, sets[run.set]);
            }
            sets.EndRow(rows.Current(), closed);
            rows.Advance();
        }
        if (aborted)
            continue;
        if (treatment && treatment->early) {
            JoinWhilePainting<Channels>(*treatment, y, *order, painter.FlagPainter());
            painter.Forget();
            if (treatment->early->Changes() != changes) {
                changes = treatment->early->Changes();
                repaintable = false;
            }
        }
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
        seedsJoinedEarly = joinSeeds.Start();
    }
    return !aborted;
}

// Joins the areas that wait and can be joined now that row y is painted: each takes the colour the join pass
// would give it, painted over its runs. An area that waits unpainted and is not joined here takes the flag
// colour (paintFlag).
template <int Channels, typename PaintFlag>
void CVendrel::JoinWhilePainting(LabelTreatment& treatment, int32 y, RingWalkOrder& order, const PaintFlag& paintFlag)
{
    uint8* const data = static_cast<uint8*>(filterRecord->outData);
    const intptr_t rowBytes = filterRecord->outRowBytes;
    const auto join = [&](const JoinSeed& seed, bool deferred, const EarlyJoins::RunList& runs, uint8* joinedColor) {
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
            std::memcpy(joinedColor, color, sizeof color);
            return EarlyJoins::Step::Done;
        }
        case EarlyJoinLook::NoColor:
            paintFlag(runs);
            std::memcpy(joinedColor, treatment.flag, sizeof treatment.flag);
            return EarlyJoins::Step::Done;
        case EarlyJoinLook::Later:
            return EarlyJoins::Step::Wait;
        case EarlyJoinLook::Far:
            break;
        }
        return EarlyJoins::Step::GiveUp;
    };
    treatment.early->JoinReady(join, paintFlag);
}
