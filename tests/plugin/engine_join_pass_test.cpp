// The join pass against the plain ring walk: every seed walks CPixelDistance's offsets and takes the first
// usable pixel. The fast pass must leave every image byte for byte as that walk does.
#include <algorithm>
#include <random>
#include <vector>

#include "CPixelDistance.h"
#include "RingWalkOrder.h"
#include "engine_test_fixture.h"

namespace vendrel::test {
namespace {

// The join pass as a plain walk of every offset in order, kept as the definition of the result.
void ReferenceJoin(CVendrel& engine, const CVendrelParams& params)
{
    const FilterRecord* record = engine.GetFilterRecord();
    const int32 lastColumn = uint16(record->outRect.right - 1);
    const int32 lastRow = uint16(record->outRect.bottom - 1);
    engine.SetColorWindow(params.flagColor, 0);
    const int32 step = engine.PlaneStep();
    CPixelDistance distance;
    for (const JoinSeed& seed : engine.joinSeeds) {
        const int32 x = seed.x;
        const int32 y = seed.y;
        distance.minDy = -y;
        distance.minDx = -x;
        distance.maxDy = lastRow - y;
        distance.maxDx = lastColumn - x;
        int32 dx = 0;
        int32 dy = 0;
        for (bool more = distance.First(dx, dy); more; more = distance.Next(dx, dy)) {
            const uint8* candidate = engine.PixelAddress(x + dx, y + dy);
            if (!engine.IsNormalAreaPixel(candidate))
                continue;
            for (int i = 0; i < engine.channels && i < 4; ++i)
                engine.paintColor[i] = candidate[i * step];
            if (!engine.IsAcceptableColor(false))
                continue;
            engine.FillFrom(x, y);
            break;
        }
    }
}

struct Layout {
    int planes;
    int16 mode;
};

class JoinPass : public EngineTest {
protected:
    // A random image of flag-coloured pixels, black, dark and a few bright colours, with join seeds at
    // random pixels in scan order; returns the flag colour's bytes.
    void MakeImage(std::mt19937& random, const Layout& layout, int round)
    {
        // Sparse images are larger, so that their usable pixels can lie many blocks away from the seeds.
        const bool sparse = round % 3 == 0;
        std::uniform_int_distribution<int> side(1, sparse ? 128 : 64);
        const int w = side(random);
        const int h = side(random);
        UseImage(w, h, layout.planes, layout.mode);
        params.flagColor[0] = 230;
        params.flagColor[1] = 40;
        params.flagColor[2] = 200;
        engine.SetColorWindow(params.flagColor, 0);
        std::vector<std::vector<uint8>> colours = {
            {engine.windowLow[0], engine.windowLow[1], engine.windowLow[2], engine.windowLow[3]},
            {0, 0, 0, 0},
            {60, 70, 80, 150},
            {200, 200, 30, 255},
            {30, 140, 250, 220},
            {91, 0, 0, 199},
        };
        // How many pixels are usable: from none at all to most, so that walks end near, far and never.
        const double usable = std::uniform_real_distribution<double>(0.0, 1.0)(random);
        const double rare = usable * usable * usable * 0.3;
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        std::uniform_int_distribution<int> bright(3, 5);
        std::uniform_int_distribution<int> plain(0, 2);
        std::uniform_int_distribution<int> anyByte(0, 255);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const double u = unit(random);
                uint8* p = At(x, y);
                if (u < rare * 0.1) {
                    for (int c = 0; c < planes; ++c)
                        p[c] = uint8(anyByte(random));
                    continue;
                }
                const std::vector<uint8>& colour = colours[size_t(u < rare ? bright(random) : plain(random))];
                for (int c = 0; c < planes; ++c)
                    p[c] = colour[size_t(c < 4 ? c : 0)];
            }
        }
        // A third of the images hold only one to three usable pixels: walks then end far away or stop first.
        if (sparse) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    if (At(x, y)[0] != colours[0][0] && At(x, y)[0] != 0 && At(x, y)[0] != 60)
                        std::copy(colours[1].begin(), colours[1].begin() + std::min(planes, 4), At(x, y));
            for (int n = std::uniform_int_distribution<int>(1, 3)(random); n > 0; --n) {
                const std::vector<uint8>& colour = colours[size_t(bright(random))];
                std::copy(colour.begin(), colour.begin() + std::min(planes, 4),
                          At(std::uniform_int_distribution<int>(0, w - 1)(random),
                             std::uniform_int_distribution<int>(0, h - 1)(random)));
            }
        }
        engine.joinSeeds.clear();
        // Sparse images get enough seeds that some are looked for through the block map after the first
        // far walks.
        const double seedShare = unit(random) * std::min(0.5, (sparse ? 160.0 : 200.0) / double(w * h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (unit(random) < seedShare)
                    engine.joinSeeds.push_back(JoinSeed{uint16(x), uint16(y)});
    }

    CVendrelParams params;
};

TEST_F(JoinPass, GivesEveryImageTheColoursOfThePlainRingWalk)
{
    const Layout layouts[] = {{3, plugInModeRGBColor},
                              {4, plugInModeRGBColor},
                              {4, plugInModeCMYKColor},
                              {1, plugInModeGrayScale},
                              {3, plugInModeCMYKColor}};
    std::mt19937 random(20261208);
    int changed = 0;
    for (int round = 0; round < 600; ++round) {
        const Layout& layout = layouts[round % 5];
        MakeImage(random, layout, round);
        const uint8 kept = uint8(random());
        engine.paintColor[3] = kept;
        const std::vector<uint8> before = pixels;
        const size_t seedCount = engine.joinSeeds.size();
        ReferenceJoin(engine, params);
        const std::vector<uint8> expected = pixels;
        pixels = before;
        engine.paintColor[3] = kept;
        engine.JoinSmallAreas(params);
        ASSERT_EQ(pixels, expected) << "round " << round << ", " << width << " wide, " << seedCount << " seeds, "
                                    << layout.planes << " planes";
        changed += expected != before;
    }
    // The rounds must exercise the joins, not only images where nothing can be joined.
    EXPECT_GT(changed, 200);
}

// The seed list keeps seeds as distances from the one before: raster order, any order, the corners of the
// coordinate range and repeated points all come back as they were added, also after the list is cleared.
TEST(JoinSeedList, GivesBackEverySeedInTheOrderAdded)
{
    std::mt19937 random(8);
    JoinSeedList list;
    for (int round = 0; round < 40; ++round) {
        std::vector<JoinSeed> added = {{0, 0}, {65535, 65535}, {65535, 65535}, {0, 65535}, {65535, 0}};
        const int count = int(random() % 3000);
        for (int i = 0; i < count; ++i)
            added.push_back(JoinSeed{uint16(random() % (round % 2 ? 65536 : 64)), uint16(random() % 65536)});
        if (round % 4 == 0)
            std::sort(added.begin(), added.end(),
                      [](JoinSeed a, JoinSeed b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
        list.clear();
        EXPECT_TRUE(list.empty());
        for (const JoinSeed& seed : added)
            list.push_back(seed);
        ASSERT_EQ(list.size(), added.size());
        size_t index = 0;
        for (const JoinSeed& seed : list) {
            ASSERT_LT(index, added.size());
            ASSERT_EQ(seed.x, added[index].x) << "round " << round << ", seed " << index;
            ASSERT_EQ(seed.y, added[index].y) << "round " << round << ", seed " << index;
            ++index;
        }
        EXPECT_EQ(index, added.size());
    }
}

// The groups hand out the same offsets in the same order as CPixelDistance, far past its first rings, across
// the near table's growth and into the stretches generated beyond it; a walk may also begin anywhere.
TEST(RingWalkOrder, HandsOutTheOffsetsOfCPixelDistanceInTheSameOrder)
{
    CPixelDistance walk;
    walk.minDx = walk.minDy = -100000;
    walk.maxDx = walk.maxDy = 100000;
    RingWalkOrder order;
    int32 dx = 0;
    int32 dy = 0;
    bool more = walk.First(dx, dy);
    size_t count = 0;
    std::vector<RingWalkOrder::Group> seen;
    for (order.Seek(0, 0); count < 300000; order.Advance()) {
        const RingWalkOrder::Group group = order.Current();
        seen.push_back(group);
        for (int k = 0; k < group.Size(); ++k, ++count) {
            int32 gx = 0;
            int32 gy = 0;
            group.Offset(k, gx, gy);
            ASSERT_TRUE(more);
            ASSERT_EQ(gx, dx) << "offset " << count;
            ASSERT_EQ(gy, dy) << "offset " << count;
            more = walk.Next(dx, dy);
        }
    }
    // A walk begun at a distance stands the asked number of groups before the first group that far out.
    for (const uint32 key : {1u, 2u, 25u, 8193u, 9000u, 16385u, 40000u, 90001u}) {
        size_t first = 0;
        while (seen[first].Key() < key)
            ++first;
        for (const int back : {0, 2}) {
            order.Seek(key, back);
            const RingWalkOrder::Group& expected = seen[first >= size_t(back) ? first - size_t(back) : 0];
            EXPECT_EQ(order.Current().small, expected.small) << key << " back " << back;
            EXPECT_EQ(order.Current().ring, expected.ring) << key << " back " << back;
        }
    }
}

// Where the plain walk stops for every seed of several image shapes lies between the two bounds.
TEST(RingWalkOrder, StopBoundsBracketWhereThePlainWalkStops)
{
    RingWalkOrder order;
    const int shapes[][2] = {{1, 9}, {2, 30}, {9, 1}, {7, 50}, {50, 7}, {33, 17}, {40, 40}, {64, 3}};
    for (const auto& shape : shapes) {
        const int32 w = shape[0];
        const int32 h = shape[1];
        for (int32 y = 0; y < h; ++y) {
            for (int32 x = 0; x < w; ++x) {
                const SeedRoom room{x, w - 1 - x, y, h - 1 - y};
                int outside = 0;
                uint32 stopKey = 0;
                for (order.Seek(0, 0); stopKey == 0; order.Advance()) {
                    const RingWalkOrder::Group group = order.Current();
                    for (int k = 0; k < group.Size() && stopKey == 0; ++k) {
                        int32 dx = 0;
                        int32 dy = 0;
                        group.Offset(k, dx, dy);
                        outside = room.Holds(dx, dy) ? 0 : outside + 1;
                        if (outside == 8)
                            stopKey = group.Key();
                    }
                }
                EXPECT_GE(stopKey, NoStopBefore(room)) << w << "x" << h << " at " << x << "," << y;
                EXPECT_LE(stopKey, StoppedBy(room)) << w << "x" << h << " at " << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace vendrel::test
