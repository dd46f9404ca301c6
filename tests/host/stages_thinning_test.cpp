// The thinning against a plain peel: every line pixel in order of its city-block depth (found by a breadth-first
// search from the pixels off the line and outside the image), each depth in raster order, taken off when its
// neighbourhood allows, on random masks of many sizes with thin strokes and thick blobs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <random>
#include <vector>

#include "../../host/src/stages/Skeleton.h"

namespace vendrel::test {
namespace {

using stages::lineBit;
using stages::skeletonBit;

std::vector<uint8_t> plainThinning(const std::vector<uint8_t>& line, int32_t width, int32_t height)
{
    const size_t count = line.size();
    std::vector<int32_t> depth(count, -1);
    std::deque<size_t> queue;
    const int32_t dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
    // The search starts from the pixels off the line (depth 0), then the line's pixels on the image's border
    // (depth 1), so that the queue stays in order of depth.
    for (int pass = 0; pass < 2; ++pass) {
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) {
                const size_t i = size_t(y) * size_t(width) + size_t(x);
                const bool border = x == 0 || y == 0 || x + 1 == width || y + 1 == height;
                if (depth[i] < 0 && (pass == 0 ? !line[i] : border)) {
                    depth[i] = pass, queue.push_back(i);
                }
            }
        }
    }
    for (; !queue.empty(); queue.pop_front()) {
        const size_t i = queue.front();
        const int32_t x = int32_t(i % size_t(width)), y = int32_t(i / size_t(width));
        for (int k = 0; k < 4; ++k) {
            const int32_t nx = x + dx[k], ny = y + dy[k];
            if (nx >= 0 && ny >= 0 && nx < width && ny < height) {
                const size_t n = size_t(ny) * size_t(width) + size_t(nx);
                if (depth[n] < 0) {
                    depth[n] = depth[i] + 1, queue.push_back(n);
                }
            }
        }
    }
    std::vector<size_t> order;
    for (size_t i = 0; i < count; ++i) {
        if (line[i]) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return std::min(depth[a], 255) < std::min(depth[b], 255); });
    std::vector<uint8_t> skeleton(line);
    auto on = [&](int32_t x, int32_t y) {
        return x >= 0 && y >= 0 && x < width && y < height && skeleton[size_t(y) * size_t(width) + size_t(x)];
    };
    const int32_t ringX[8] = {0, 1, 1, 1, 0, -1, -1, -1}, ringY[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
    for (size_t i : order) {
        const int32_t x = int32_t(i % size_t(width)), y = int32_t(i / size_t(width));
        bool off[8];
        int neighbours = 0;
        for (int k = 0; k < 8; ++k) {
            off[k] = !on(x + ringX[k], y + ringY[k]);
            neighbours += !off[k];
        }
        int connectivity = 0;
        for (int k = 0; k < 8; k += 2) {
            connectivity += off[k] - (off[k] && off[k + 1] && off[(k + 2) % 8]);
        }
        const bool straightOff = off[0] || off[2] || off[4] || off[6];
        if (straightOff && connectivity == 1 && neighbours >= 2) {
            skeleton[i] = 0;
        }
    }
    return skeleton;
}

TEST(ThinningTest, PeelsAsAPlainPeelInOrderOfDepth)
{
    std::mt19937 random(2026);
    auto uniform = [&random](int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random);
    };
    for (int n = 0; n < 400; ++n) {
        const int32_t width = uniform(1, n < 300 ? 40 : 140), height = uniform(1, n < 300 ? 40 : 90);
        std::vector<uint8_t> line(size_t(width) * size_t(height));
        const double noise = std::uniform_real_distribution<double>(0.0, 0.3)(random);
        for (uint8_t& l : line) {
            l = std::bernoulli_distribution(noise)(random);
        }
        for (int blob = uniform(0, 6); blob > 0; --blob) { // discs and strokes of ink
            const int32_t cx = uniform(0, width - 1), cy = uniform(0, height - 1), r = uniform(1, 25);
            const bool disc = blob % 2 == 0;
            for (int32_t y = 0; y < height; ++y) {
                for (int32_t x = 0; x < width; ++x) {
                    const int32_t d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                    if (disc ? d2 <= r * r : (d2 <= r * r && d2 >= (r - 2) * (r - 2))) {
                        line[size_t(y) * size_t(width) + size_t(x)] = 1;
                    }
                }
            }
        }
        std::vector<uint8_t> state(line.size());
        for (size_t i = 0; i < line.size(); ++i) {
            state[i] = line[i] ? lineBit : 0;
        }
        stages::thinLines(state, width, height);
        const std::vector<uint8_t> expected = plainThinning(line, width, height);
        for (size_t i = 0; i < line.size(); ++i) {
            ASSERT_EQ((state[i] & skeletonBit) != 0, expected[i] != 0)
                << width << "x" << height << " image " << n << " at " << i % size_t(width) << "," << i / size_t(width);
            ASSERT_EQ(state[i] & lineBit, line[i] ? lineBit : 0);
        }
    }
}

} // namespace
} // namespace vendrel::test
