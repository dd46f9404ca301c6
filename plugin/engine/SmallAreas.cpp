// Small areas: the size rule, the seeds of the areas to join, and the join pass that gives each of them the
// colour of the nearest usable pixel, found in the ring walk's order.
//
// The join pass gives the same result as walking the offsets of CPixelDistance around every seed and
// testing each pixel, in time that grows with the image rather than with the image times the seeds:
// - the first 24 offsets are looked at as the plain walk does: most small areas touch their colour;
// - beyond them, a coarse map of blocks that may hold usable pixels (made at the first seed that needs it)
//   gives each seed a lower bound of the distance to one, so the walk looks at no pixel nearer than that,
//   and a seed with none within reach is passed over;
// - the walk stops where the plain walk stops (eight offsets outside the image in a row), but counts only
//   from where such a stop is possible;
// - a seed whose pixel does not hold the flag colour is passed over: its flood would claim nothing.
// When no pixel of the image is usable the pass ends after one look at the image.
#include <algorithm>

#include "CVendrel.h"
#include "PixelTests.h"
#include "RingWalkOrder.h"
#include "UsableBlocks.h"

namespace {

constexpr uint8 kDarkLimit = 90;
constexpr uint8 kCmykInkedBlack = 200;
constexpr int kOutsideInARowThatStops = 8;
// The plain walk looks at the offsets up to this squared distance (24 offsets) before the block map is used.
constexpr uint32 kNearWalkKey = 8;
// Until the block map is made, a seed with nothing that near walks on to this squared distance (a radius of
// 32 pixels), as long as few seeds have needed it: the map costs a look at the whole image.
constexpr uint32 kFarWalkKey = 1024;
constexpr size_t kFarWalksBeforeMap = 64;

// Whether a pixel may give its colour to a joined area: it lies outside the window (the flag colour), is not
// zero in every tested channel and is not dark. The same test as copying the pixel into the paint colour
// and asking for a normal-area pixel with an acceptable colour.
struct JoinColorTest {
    uint8 low[4];
    uint8 high[4];
    int32 channels;
    int32 step;
    bool cmyk;
    uint8 keptBlack; // the paint colour's fourth byte, which a copy of fewer than four channels leaves alone

    bool operator()(const uint8* p) const
    {
        bool outside = false;
        bool zero = true;
        bool dark = true;
        for (int32 i = 0; i < channels; ++i) {
            const uint8 v = p[i * step];
            outside |= v < low[i] || v > high[i];
            zero &= v == 0;
            dark &= v <= kDarkLimit;
        }
        if (cmyk)
            dark = (channels >= 4 ? p[3 * step] : keptBlack) < kCmykInkedBlack;
        return outside && !zero && !dark;
    }
};

// The test for a window [low, high] (the flag colour's) on this engine's image.
JoinColorTest MakeJoinColorTest(const uint8 low[4], const uint8 high[4], int32 channels, int32 planeStep, bool cmyk,
                                uint8 keptBlack)
{
    return JoinColorTest{{low[0], low[1], low[2], low[3]},
                         {high[0], high[1], high[2], high[3]},
                         std::min<int32>(channels, 4),
                         planeStep,
                         cmyk,
                         keptBlack};
}

// The join colour test while areas waiting to be joined are still unpainted: their pixels, in the fill
// window, count as the flag colour they will hold.
struct WaitingAreasTest {
    JoinColorTest usable;
    RuntimePixelOps fill;

    bool operator()(const uint8* p) const { return usable(p) && !fill.InWindow(p); }
};

// The pixels still in the fill window (low to high) belong to areas waiting to be joined, which will hold the
// flag colour: none of them is usable.
WaitingAreasTest MakeWaitingAreasTest(const uint8 flag[4], const uint8 low[4], const uint8 high[4],
                                      const uint8 paint[4], int32 channels, int32 step, bool cmyk)
{
    return WaitingAreasTest{MakeJoinColorTest(flag, flag, channels, step, cmyk, paint[3]),
                            RuntimePixelOps(low, high, paint, channels, step)};
}

} // namespace

bool IsSmallArea(const CVendrel& engine, bool measureArea, uint32 limit)
{
    if (measureArea)
        return engine.areaPixels <= limit;
    const uint32 widthSpan = uint32(engine.areaMaxX - engine.areaMinX);
    const uint32 heightSpan = uint32(engine.areaMaxY - engine.areaMinY);
    return widthSpan < limit && heightSpan < limit;
}

void CVendrel::AddJoinSeed(int32 x, int32 y)
{
    joinSeeds.push_back(JoinSeed{uint16(x), uint16(y)});
}

namespace {

// Seeds joined between two abort checks: few enough that an abort is heard at once, many enough that the
// host's callback costs nothing next to the search.
constexpr size_t kSeedsPerAbortCheck = 64;

} // namespace

bool CVendrel::JoinSmallAreas(const CVendrelParams& params)
{
    if (!filterRecord)
        return true;
    SetColorWindow(params.flagColor, 0);
    const int32 width = filterRecord->outRect.right;
    const int32 height = filterRecord->outRect.bottom;
    if (joinSeeds.empty() || !filterRecord->outData || width <= 0 || height <= 0)
        return true;
    const JoinColorTest test = MakeJoinColorTest(windowLow, windowHigh, channels, PlaneStep(),
                                                 filterRecord->imageMode == plugInModeCMYKColor, paintColor[3]);
    // The block map is made when a seed first finds nothing near: most small areas touch their colour.
    UsableBlocks blocks(width, height);
    bool mapped = false;
    size_t farWalks = 0;
    RingWalkOrder order;
    // The seeds joined while the rows were painted are behind the cursor; the count goes on from them.
    JoinSeedList::Cursor cursor = seedsJoinedEarly;
    JoinSeed seed{0, 0};
    while (joinSeeds.Next(cursor, seed)) {
        if (cursor.index % kSeedsPerAbortCheck == 0 && filterRecord->abortProc && filterRecord->abortProc())
            return false;
        const int32 x = seed.x;
        const int32 y = seed.y;
        if (x >= width || y >= height || !IsInWindow(PixelAddress(x, y)))
            continue;
        const SeedRoom room{x, width - 1 - x, y, height - 1 - y};
        bool stopped = false;
        uint32 walked = kNearWalkKey;
        const uint8* found = NearJoinColor(x, y, room, order, test, stopped, walked);
        if (!found && !stopped && !mapped && farWalks < kFarWalksBeforeMap) {
            ++farWalks;
            walked = kFarWalkKey;
            found = NearJoinColor(x, y, room, order, test, stopped, walked);
        }
        if (!found && !stopped) {
            if (!mapped) {
                MarkUsableBlocks(blocks, width, height, test);
                mapped = true;
            }
            // Without a usable pixel no area can be joined, now or later.
            if (!blocks.Any())
                return true;
            found = FindJoinColor(x, y, room, blocks, order, test, walked);
        }
        if (!found)
            continue;
        for (int i = 0; i < channels && i < 4; ++i)
            paintColor[i] = found[i * test.step];
        areaMinX = areaMaxX = x;
        areaMinY = areaMaxY = y;
        FillFrom(x, y);
        // The area now holds a usable colour; its box may hold it anywhere. (A map made later sees it.)
        if (mapped)
            blocks.Mark(areaMinX, areaMinY, areaMaxX, areaMaxY);
    }
    return true;
}

template <typename Test>
void CVendrel::MarkUsableBlocks(UsableBlocks& blocks, int32 width, int32 height, const Test& test) const
{
    const intptr_t columnStep = ColumnStep();
    for (int32 y = 0; y < height; ++y) {
        const uint8* row = PixelAddress(0, y);
        for (int32 x0 = 0; x0 < width; x0 += UsableBlocks::kSide) {
            // One usable pixel sets the block: its other rows need no look.
            if (blocks.IsMarked(x0, y))
                continue;
            const int32 x1 = std::min(width, x0 + UsableBlocks::kSide);
            for (int32 x = x0; x < x1; ++x) {
                if (test(row + intptr_t(x) * columnStep)) {
                    blocks.Mark(x, y, x, y);
                    break;
                }
            }
        }
    }
}

CVendrel::EarlyJoinLook CVendrel::EarlyJoinColor(const JoinSeed& seed, int32 lastPaintedRow, const uint8 flag[4],
                                                 RingWalkOrder& order, size_t& farWalksLeft, uint8 color[4]) const
{
    if (NeighbourJoinColor(seed, flag, color))
        return EarlyJoinLook::Found;
    const int32 width = filterRecord->outRect.right;
    const int32 height = filterRecord->outRect.bottom;
    const WaitingAreasTest test = MakeWaitingAreasTest(flag, windowLow, windowHigh, paintColor, channels, PlaneStep(),
                                                       filterRecord->imageMode == plugInModeCMYKColor);
    const int32 x = seed.x;
    const int32 y = seed.y;
    const SeedRoom room{x, width - 1 - x, y, height - 1 - y};
    bool stopped = false;
    bool later = false;
    const uint8* found = NearJoinColor(x, y, room, order, test, stopped, kNearWalkKey, lastPaintedRow - y, &later);
    if (!found && !stopped && !later && farWalksLeft > 0) {
        found = NearJoinColor(x, y, room, order, test, stopped, kFarWalkKey, lastPaintedRow - y, &later);
        if (!later)
            --farWalksLeft;
    }
    if (later)
        return EarlyJoinLook::Later;
    if (!found)
        return stopped ? EarlyJoinLook::NoColor : EarlyJoinLook::Far;
    for (int i = 0; i < channels && i < 4; ++i)
        color[i] = found[i * test.usable.step];
    return EarlyJoinLook::Found;
}

// The walk's first four offsets, the neighbours of the seed, looked at as the walk would: most small areas
// touch their colour. Their rows need not be painted: a neighbour in the window belongs to the seed's own
// area, which holds the flag colour until it is joined, and one outside it is never painted.
bool CVendrel::NeighbourJoinColor(const JoinSeed& seed, const uint8 flag[4], uint8 color[4]) const
{
    const WaitingAreasTest test = MakeWaitingAreasTest(flag, windowLow, windowHigh, paintColor, channels, PlaneStep(),
                                                       filterRecord->imageMode == plugInModeCMYKColor);
    const int32 x = seed.x;
    const int32 y = seed.y;
    const SeedRoom room{x, filterRecord->outRect.right - 1 - x, y, filterRecord->outRect.bottom - 1 - y};
    const uint8* origin = PixelAddress(x, y);
    for (const auto& [dx, dy] : RingWalkOrder::Group::kAxes) {
        if (!room.Holds(dx, dy))
            continue;
        const uint8* p = origin + intptr_t(dy) * filterRecord->outRowBytes + intptr_t(dx) * ColumnStep();
        if (test(p)) {
            for (int i = 0; i < channels && i < 4; ++i)
                color[i] = p[i * test.usable.step];
            return true;
        }
    }
    return false;
}

template <typename Test>
const uint8* CVendrel::NearJoinColor(int32 x, int32 y, const SeedRoom& room, RingWalkOrder& order, const Test& test,
                                     bool& stopped, uint32 lastKey, int32 paintedBelow, bool* later) const
{
    const uint8* origin = PixelAddress(x, y);
    const intptr_t rowBytes = filterRecord->outRowBytes;
    const intptr_t columnStep = ColumnStep();
    int outside = 0;
    for (order.Seek(0, 0); order.Current().Key() <= lastKey; order.Advance()) {
        const RingWalkOrder::Group group = order.Current();
        for (int k = 0; k < group.Size(); ++k) {
            int32 dx = 0;
            int32 dy = 0;
            group.Offset(k, dx, dy);
            if (!room.Holds(dx, dy)) {
                stopped = ++outside == kOutsideInARowThatStops;
                if (stopped)
                    return nullptr;
                continue;
            }
            outside = 0;
            // A row not painted yet: the walk has to wait for it.
            if (dy > paintedBelow) {
                *later = true;
                return nullptr;
            }
            const uint8* p = origin + intptr_t(dy) * rowBytes + intptr_t(dx) * columnStep;
            if (test(p))
                return p;
        }
    }
    return nullptr;
}

template <typename Test>
const uint8* CVendrel::FindJoinColor(int32 x, int32 y, const SeedRoom& room, const UsableBlocks& blocks,
                                     RingWalkOrder& order, const Test& test, uint32 walkedKey) const
{
    const uint32 stopped = StoppedBy(room);
    const uint64_t nearest = blocks.NearestSquared(x, y, stopped);
    if (nearest > stopped)
        return nullptr;
    // Nothing usable lies nearer than nearest, the walk cannot stop before NoStopBefore, and the near walk
    // has looked up to walkedKey: begin at the smaller of the first two but past the near walk, two groups
    // early so that a run of outside offsets reaching past it is counted whole.
    const uint32 from = std::max(walkedKey + 1, uint32(std::min<uint64_t>(nearest, NoStopBefore(room))));
    order.Seek(from, 2);
    const uint8* origin = PixelAddress(x, y);
    const intptr_t rowBytes = filterRecord->outRowBytes;
    const intptr_t columnStep = ColumnStep();
    int outside = 0;
    for (;; order.Advance()) {
        const RingWalkOrder::Group group = order.Current();
        const bool look = group.Key() >= nearest;
        for (int k = 0; k < group.Size(); ++k) {
            int32 dx = 0;
            int32 dy = 0;
            group.Offset(k, dx, dy);
            if (!room.Holds(dx, dy)) {
                if (++outside == kOutsideInARowThatStops)
                    return nullptr;
                continue;
            }
            outside = 0;
            if (!look)
                continue;
            const uint8* p = origin + intptr_t(dy) * rowBytes + intptr_t(dx) * columnStep;
            if (test(p))
                return p;
        }
    }
}
