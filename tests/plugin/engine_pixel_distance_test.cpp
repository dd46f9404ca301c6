// The walk over offsets around a seed in order of growing distance, and where it stops.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <utility>
#include <vector>

#include "CPixelDistance.h"

namespace vendrel::test {
namespace {

using Offset = std::pair<int32, int32>;

void Unbounded(CPixelDistance& walk)
{
    walk.minDx = walk.minDy = INT_MIN / 2;
    walk.maxDx = walk.maxDy = INT_MAX / 2;
}

std::vector<Offset> Walk(CPixelDistance& walk, size_t limit)
{
    std::vector<Offset> seen;
    int32 dx = 0;
    int32 dy = 0;
    for (bool more = walk.First(dx, dy); more && seen.size() < limit; more = walk.Next(dx, dy))
        seen.emplace_back(dx, dy);
    return seen;
}

std::vector<Offset> Slice(const std::vector<Offset>& all, int32 key)
{
    std::vector<Offset> slice;
    for (const Offset& o : all)
        if (o.first * o.first + o.second * o.second == key)
            slice.push_back(o);
    return slice;
}

TEST(PixelDistance, BeginsBelowThenRightAboveLeftThenTheDiagonals)
{
    CPixelDistance walk;
    Unbounded(walk);
    const std::vector<Offset> expected = {{0, 1},  {1, 0},   {0, -1},  {-1, 0},  {1, 1},  {1, -1}, {-1, -1},
                                          {-1, 1}, {0, 2},   {2, 0},   {0, -2},  {-2, 0}, {1, 2},  {2, 1},
                                          {2, -1}, {1, -2},  {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}, {2, 2},
                                          {2, -2}, {-2, -2}, {-2, 2},  {0, 3}};
    EXPECT_EQ(Walk(walk, expected.size()), expected);
}

TEST(PixelDistance, TiesFollowTheirRingsWithTheTwoAxisExceptions)
{
    CPixelDistance walk;
    Unbounded(walk);
    const std::vector<Offset> all = Walk(walk, 5000);
    EXPECT_EQ(
        Slice(all, 25),
        (std::vector<Offset>{
            {3, 4}, {4, 3}, {4, -3}, {3, -4}, {-3, -4}, {-4, -3}, {-4, 3}, {-3, 4}, {0, 5}, {5, 0}, {0, -5}, {-5, 0}}));
    EXPECT_EQ(Slice(all, 50), (std::vector<Offset>{{1, 7},
                                                   {7, 1},
                                                   {7, -1},
                                                   {1, -7},
                                                   {-1, -7},
                                                   {-7, -1},
                                                   {-7, 1},
                                                   {-1, 7},
                                                   {5, 5},
                                                   {5, -5},
                                                   {-5, -5},
                                                   {-5, 5}}));
    EXPECT_EQ(Slice(all, 100), (std::vector<Offset>{{6, 8},
                                                    {8, 6},
                                                    {8, -6},
                                                    {6, -8},
                                                    {-6, -8},
                                                    {-8, -6},
                                                    {-8, 6},
                                                    {-6, 8},
                                                    {0, 10},
                                                    {10, 0},
                                                    {0, -10},
                                                    {-10, 0}}));
    // Beyond the first ten rings the outer ring still comes first: 65 = 8*8 + 1 = 7*7 + 4*4; 125 = 11*11 + 2*2
    // = 10*10 + 5*5; 169 = 13*13 = 12*12 + 5*5.
    EXPECT_EQ(Slice(all, 65).front(), Offset(1, 8));
    EXPECT_EQ(Slice(all, 65)[8], Offset(4, 7));
    EXPECT_EQ(Slice(all, 125).front(), Offset(2, 11));
    EXPECT_EQ(Slice(all, 125)[8], Offset(5, 10));
    EXPECT_EQ(Slice(all, 169).front(), Offset(0, 13));
    EXPECT_EQ(Slice(all, 169)[4], Offset(5, 12));
}

TEST(PixelDistance, EveryOffsetComesOnceInAscendingDistanceAcrossLazyRings)
{
    CPixelDistance walk;
    Unbounded(walk);
    const std::vector<Offset> all = Walk(walk, 4 * 30 * 30 + 4 * 30);
    std::set<Offset> unique(all.begin(), all.end());
    EXPECT_EQ(unique.size(), all.size());
    for (size_t i = 1; i < all.size(); ++i) {
        const int32 before = all[i - 1].first * all[i - 1].first + all[i - 1].second * all[i - 1].second;
        const int32 now = all[i].first * all[i].first + all[i].second * all[i].second;
        ASSERT_LE(before, now) << "at " << i;
    }
    // Every offset within distance 20 has been handed out.
    for (int32 dx = -20; dx <= 20; ++dx) {
        for (int32 dy = -20; dy <= 20; ++dy) {
            if ((dx || dy) && dx * dx + dy * dy <= 400) {
                EXPECT_TRUE(unique.count({dx, dy})) << dx << "," << dy;
            }
        }
    }
    EXPECT_GE(walk.radius, 30);
}

TEST(PixelDistance, StartsWithTenRings)
{
    CPixelDistance walk;
    EXPECT_EQ(walk.radius, 10);
    EXPECT_EQ(walk.radiusSquared, 100u);
}

// Bounds of a seed at (x, y) in an image of the given size, as the join pass sets them.
void Bound(CPixelDistance& walk, int32 x, int32 y, int32 width, int32 height)
{
    walk.minDx = -x;
    walk.minDy = -y;
    walk.maxDx = width - 1 - x;
    walk.maxDy = height - 1 - y;
}

TEST(PixelDistance, OnePixelWideImageEndsAfterEightMissesInARow)
{
    CPixelDistance walk;
    Bound(walk, 0, 0, 1, 50);
    EXPECT_EQ(Walk(walk, 100), (std::vector<Offset>{{0, 1}, {0, 2}}));
    Bound(walk, 0, 5, 1, 50);
    EXPECT_EQ(Walk(walk, 100), (std::vector<Offset>{{0, 1}, {0, -1}, {0, 2}, {0, -2}}));
}

TEST(PixelDistance, TwoPixelWideImageSeenFromTheTopLeftCorner)
{
    CPixelDistance walk;
    Bound(walk, 0, 0, 2, 50);
    EXPECT_EQ(Walk(walk, 100), (std::vector<Offset>{{0, 1}, {1, 0}, {1, 1}, {0, 2}, {1, 2}}));
}

TEST(PixelDistance, RestartsForEachSeedWithRingsKept)
{
    CPixelDistance walk;
    Unbounded(walk);
    Walk(walk, 2000);
    const uint16 rings = walk.radius;
    Bound(walk, 0, 0, 1, 50);
    EXPECT_EQ(Walk(walk, 100), (std::vector<Offset>{{0, 1}, {0, 2}}));
    EXPECT_EQ(walk.radius, rings);
}

} // namespace
} // namespace vendrel::test
