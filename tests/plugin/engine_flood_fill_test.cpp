// The span flood fill: which pixels a flood claims, in which order, and what it measures.
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "FloodFill.h"
#include "engine_test_fixture.h"

namespace vendrel::test {
namespace {

using Pixel = std::pair<int32, int32>;

// A grid of matching ('#') and other ('.') pixels with a claim that claims each matching pixel once and logs
// every call.
struct Grid {
    std::vector<std::string> rows;
    std::vector<Pixel> calls;
    std::vector<Pixel> claimed;
    bool Matches(int32 x, int32 y) const
    {
        return y >= 0 && y < int32(rows.size()) && x >= 0 && x < int32(rows[size_t(y)].size()) &&
               rows[size_t(y)][size_t(x)] == '#';
    }
    bool Claim(int32 x, int32 y)
    {
        calls.emplace_back(x, y);
        if (!Matches(x, y))
            return false;
        rows[size_t(y)][size_t(x)] = '*';
        claimed.emplace_back(x, y);
        return true;
    }
};

Grid* gGrid = nullptr;
bool GridClaim(int32 x, int32 y)
{
    return gGrid->Claim(x, y);
}

std::vector<std::string> Flood(std::vector<std::string> rows, uint16 x, uint16 y, Grid* out = nullptr)
{
    Grid grid{std::move(rows), {}, {}};
    gGrid = &grid;
    FloodFill(x, y, GridClaim);
    gGrid = nullptr;
    if (out)
        *out = grid;
    return grid.rows;
}

TEST(FloodFill, SeedThatDoesNotMatchClaimsNothing)
{
    Grid grid;
    EXPECT_EQ(Flood({"#.#"}, 1, 0, &grid), (std::vector<std::string>{"#.#"}));
    EXPECT_EQ(grid.calls, (std::vector<Pixel>{{1, 0}}));
}

TEST(FloodFill, SinglePixelExaminesItsFourNeighboursOnce)
{
    Grid grid;
    EXPECT_EQ(Flood({"...", ".#.", "..."}, 1, 1, &grid), (std::vector<std::string>{"...", ".*.", "..."}));
    // Seed, left, right, above, below.
    EXPECT_EQ(grid.calls, (std::vector<Pixel>{{1, 1}, {0, 1}, {2, 1}, {1, 0}, {1, 2}}));
}

TEST(FloodFill, RunSeededAtItsRightEndIsClaimedLeftwards)
{
    Grid grid;
    Flood({".##########."}, 10, 0, &grid);
    std::vector<Pixel> expected;
    for (int32 x = 10; x >= 1; --x)
        expected.emplace_back(x, 0);
    EXPECT_EQ(grid.claimed, expected);
}

TEST(FloodFill, DiagonalNeighboursAreNotConnected)
{
    EXPECT_EQ(Flood({"#..", ".#.", "..#"}, 1, 1), (std::vector<std::string>{"#..", ".*.", "..#"}));
}

TEST(FloodFill, RingIsFilledAroundItsHoleFromAnySeed)
{
    const std::vector<std::string> ring = {".......", ".#####.", ".#...#.", ".#.#.#.", ".#...#.", ".#####.", "......."};
    const std::vector<std::string> filled = {".......", ".*****.", ".*...*.", ".*.#.*.",
                                             ".*...*.", ".*****.", "......."};
    EXPECT_EQ(Flood(ring, 1, 1), filled);
    EXPECT_EQ(Flood(ring, 5, 3), filled);
    EXPECT_EQ(Flood(ring, 3, 5), filled);
}

TEST(FloodFill, UShapeSeededAtOneArmReachesTheOther)
{
    EXPECT_EQ(Flood({"#...#", "#...#", "#...#", "#####"}, 0, 0),
              (std::vector<std::string>{"*...*", "*...*", "*...*", "*****"}));
    EXPECT_EQ(Flood({"#####", "#...#", "#...#", "#...#"}, 4, 3),
              (std::vector<std::string>{"*****", "*...*", "*...*", "*...*"}));
}

TEST(FloodFill, StopsAtTheBorderWithoutLeavingIt)
{
    Grid grid;
    EXPECT_EQ(Flood({"##", "##"}, 0, 0, &grid), (std::vector<std::string>{"**", "**"}));
    for (const Pixel& p : grid.calls) {
        EXPECT_GE(p.first, -1);
        EXPECT_LE(p.first, 2);
        EXPECT_GE(p.second, -1);
        EXPECT_LE(p.second, 2);
    }
}

TEST(FloodFill, ChildSpanIsFinishedBeforeItsParentLooksFurther)
{
    // Row 0 spans three columns; above nothing; below, column 0 starts a child that reaches column 0 of row 2,
    // which is finished before column 2 of row 1 is examined.
    Grid grid;
    Flood({"###", "#.#", "#.."}, 1, 0, &grid);
    EXPECT_EQ(grid.claimed, (std::vector<Pixel>{{1, 0}, {0, 0}, {2, 0}, {0, 1}, {0, 2}, {2, 1}}));
}

// The traversal through its claim-object interface, to see the stack and compare both forms.
struct CountingClaim {
    Grid* grid;
    std::vector<FillSpan>* pending;
    size_t deepest = 0;
    uint32 spanPixels = 0;
    bool operator()(int32 x, int32 y)
    {
        deepest = std::max(deepest, pending->size());
        return grid->Claim(x, y);
    }
    void Span(int32, int32 left, int32 right) { spanPixels += uint32(right - left + 1); }
};

template <bool Skip> CountingClaim Traverse(Grid& grid, int32 x, int32 y)
{
    std::vector<FillSpan> pending;
    CountingClaim claim{&grid, &pending};
    SpanFlood<CountingClaim, Skip>(claim, pending).Run(x, y);
    EXPECT_TRUE(pending.empty());
    return claim;
}

TEST(FloodFill, VerticalLineKeepsEveryRowAsAnAncestor)
{
    Grid grid{std::vector<std::string>(100, "#"), {}, {}};
    const CountingClaim claim = Traverse<false>(grid, 0, 0);
    EXPECT_EQ(claim.deepest, 99u);
    EXPECT_EQ(claim.spanPixels, 100u);
    EXPECT_EQ(grid.claimed.size(), 100u);

    Grid again{std::vector<std::string>(100, "#"), {}, {}};
    const CountingClaim lean = Traverse<true>(again, 0, 0);
    EXPECT_EQ(lean.deepest, 0u) << "a finished ancestor is not kept";
    EXPECT_EQ(again.claimed, grid.claimed);
}

std::vector<std::string> RandomGrid(std::mt19937& random, int width, int height, double density)
{
    std::bernoulli_distribution matching(density);
    std::vector<std::string> rows(size_t(height), std::string(size_t(width), '.'));
    for (auto& row : rows)
        for (char& c : row)
            c = matching(random) ? '#' : '.';
    return rows;
}

TEST(FloodFill, LeanTraversalClaimsTheSamePixelsInTheSameOrder)
{
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        const int width = 1 + int(random() % 40);
        const int height = 1 + int(random() % 40);
        const auto rows = RandomGrid(random, width, height, 0.45 + 0.1 * (round % 4));
        const int32 x = int32(random() % uint32(width));
        const int32 y = int32(random() % uint32(height));
        Grid full{rows, {}, {}};
        Grid lean{rows, {}, {}};
        Traverse<false>(full, x, y);
        Traverse<true>(lean, x, y);
        ASSERT_EQ(lean.claimed, full.claimed) << "round " << round;
        ASSERT_EQ(lean.rows, full.rows);
        EXPECT_LE(lean.calls.size(), full.calls.size());
    }
}

// The engine's own fill against the plain routine with the engine's claim function, on the same image.
using EngineFill = EngineTest;

TEST_F(EngineFill, InlinedFillPaintsAndMeasuresLikeTheClaimFunction)
{
    std::mt19937 random(11);
    for (int round = 0; round < 60; ++round) {
        const int w = 1 + int(random() % 30);
        const int h = 1 + int(random() % 30);
        const int planeCounts[] = {1, 3, 4, 5};
        const int p = planeCounts[round % 4];
        UseImage(w, h, p);
        for (uint8& b : pixels)
            b = (random() % 2) ? 100 : 0;
        const std::vector<uint8> original = pixels;
        const int x = int(random() % uint32(w));
        const int y = int(random() % uint32(h));
        SetWindow({100, 100, 100, 100}, {100, 100, 100, 100});
        SetPaint({200, 201, 202, 203});

        FloodArea(x, y);
        const std::vector<uint8> inlined = pixels;
        const uint32 count = engine.areaPixels;
        const int32 box[4] = {engine.areaMinX, engine.areaMinY, engine.areaMaxX, engine.areaMaxY};

        pixels = original;
        record.outData = pixels.data();
        engine.areaPixels = 0;
        engine.areaMinX = engine.areaMaxX = x;
        engine.areaMinY = engine.areaMaxY = y;
        FloodFill(uint16(x), uint16(y), &CVendrel::ClaimPixel);
        ASSERT_EQ(inlined, pixels) << "round " << round;
        EXPECT_EQ(count, engine.areaPixels);
        EXPECT_EQ(box[0], engine.areaMinX);
        EXPECT_EQ(box[1], engine.areaMinY);
        EXPECT_EQ(box[2], engine.areaMaxX);
        EXPECT_EQ(box[3], engine.areaMaxY);
    }
}

// Corridors one pixel wide, joined alternately at the bottom and the top, with random widenings and walls:
// the inlined fill follows narrow stretches pixel by pixel, which must paint and measure the same.
TEST_F(EngineFill, WindingCorridorsPaintAndMeasureLikeTheClaimFunction)
{
    std::mt19937 random(23);
    for (int round = 0; round < 40; ++round) {
        const int w = 2 + int(random() % 30);
        const int h = 2 + int(random() % 30);
        UseImage(w, h, 3);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const bool wall = x % 2 == 1 && y != ((x / 2) % 2 == 0 ? h - 1 : 0);
                const bool flipped = random() % 12 == 0;
                if (wall != flipped)
                    Put(x, y, {100, 100, 100});
            }
        }
        const std::vector<uint8> original = pixels;
        int x = int(random() % uint32(w)), y = int(random() % uint32(h));
        x -= x % 2 == 1 && x > 0; // most seeds in a corridor
        SetWindow({0, 0, 0, 0}, {0, 0, 0, 0});
        SetPaint({200, 201, 202, 203});

        FloodArea(x, y);
        const std::vector<uint8> inlined = pixels;
        const uint32 count = engine.areaPixels;
        const int32 box[4] = {engine.areaMinX, engine.areaMinY, engine.areaMaxX, engine.areaMaxY};

        pixels = original;
        record.outData = pixels.data();
        engine.areaPixels = 0;
        engine.areaMinX = engine.areaMaxX = x;
        engine.areaMinY = engine.areaMaxY = y;
        FloodFill(uint16(x), uint16(y), &CVendrel::ClaimPixel);
        ASSERT_EQ(inlined, pixels) << "round " << round;
        EXPECT_EQ(count, engine.areaPixels);
        EXPECT_EQ(box[0], engine.areaMinX);
        EXPECT_EQ(box[1], engine.areaMinY);
        EXPECT_EQ(box[2], engine.areaMaxX);
        EXPECT_EQ(box[3], engine.areaMaxY);
    }
}

TEST_F(EngineFill, VerticalLineIsCountedAndBoxed)
{
    UseImage(3, 100, 3);
    for (int y = 0; y < 100; ++y)
        Put(1, y, {50, 50, 50});
    SetWindow({50, 50, 50, 0}, {50, 50, 50, 0});
    SetPaint({150, 150, 150, 255});
    FloodArea(1, 0);
    EXPECT_EQ(engine.areaPixels, 100u);
    EXPECT_EQ(engine.areaMaxX - engine.areaMinX, 0);
    EXPECT_EQ(engine.areaMinY, 0);
    EXPECT_EQ(engine.areaMaxY, 99);
    for (int y = 0; y < 100; ++y) {
        EXPECT_EQ(At(1, y)[0], 150);
        EXPECT_EQ(At(0, y)[0], 0);
    }
}

TEST_F(EngineFill, SeedOutsideTheWindowPaintsNothing)
{
    UseImage(2, 2, 3, plugInModeRGBColor, 7);
    SetWindow({50, 50, 50, 0}, {50, 50, 50, 0});
    SetPaint({150, 150, 150, 255});
    FloodArea(0, 0);
    EXPECT_EQ(engine.areaPixels, 0u);
    EXPECT_EQ(pixels, std::vector<uint8>(12, 7));
}

TEST_F(EngineFill, PaintColourInsideTheWindowStillEndsAndCoversTheArea)
{
    UseImage(6, 5, 3, plugInModeRGBColor, 100);
    Put(3, 2, {0, 0, 0});
    SetWindow({0, 0, 0, 0}, {255, 255, 255, 0});
    SetPaint({120, 120, 120, 255});
    FloodArea(0, 0);
    EXPECT_EQ(engine.areaPixels, 30u);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(At(x, y)[1], 120);
}

TEST_F(EngineFill, MissingImageBufferClaimsNothing)
{
    UseImage(2, 2, 3, plugInModeRGBColor, 50);
    record.outData = nullptr;
    SetWindow({50, 50, 50, 0}, {50, 50, 50, 0});
    SetPaint({150, 150, 150, 255});
    EXPECT_FALSE(CVendrel::ClaimPixel(0, 0));
    FloodArea(0, 0);
    EXPECT_EQ(engine.areaPixels, 0u);
}

} // namespace
} // namespace vendrel::test
