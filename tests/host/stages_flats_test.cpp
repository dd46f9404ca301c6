// The flats transform against a plain search over every filled pixel, on random masks: dense ones (short runs,
// near neighbours) and sparse wide ones (long runs, far neighbours), on one thread and on two.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "vendrel/host/Flats.h"
#include "vendrel/host/GapClosing.h"

namespace vendrel::test {
namespace {

// The colour of the filled pixel nearest to (x, y): least squared distance, then leftmost column, then topmost
// row.
const uint8_t* nearestFilled(const HostImage& image, const std::vector<uint8_t>& filled, int32_t x, int32_t y)
{
    int64_t best = INT64_MAX;
    const uint8_t* colour = nullptr;
    for (int32_t fx = 0; fx < image.width; ++fx) {
        for (int32_t fy = 0; fy < image.height; ++fy) {
            const int64_t d = int64_t(fx - x) * (fx - x) + int64_t(fy - y) * (fy - y);
            if (filled[size_t(fy) * size_t(image.width) + size_t(fx)] && d < best) {
                best = d, colour = image.pixel(fx, fy);
            }
        }
    }
    return colour;
}

struct Shape {
    int32_t maxWidth, maxHeight;
    double maxDensity;
    int images;
};

TEST(FlatsTest, EveryUnfilledPixelTakesTheNearestFilledColourAsAPlainSearchFindsIt)
{
    std::mt19937 random(1913);
    const Shape shapes[] = {{40, 40, 0.9, 300}, {220, 14, 0.02, 40}, {12, 200, 0.02, 20}};
    for (const Shape& shape : shapes) {
        for (int n = 0; n < shape.images; ++n) {
            const int32_t width = std::uniform_int_distribution<int32_t>(1, shape.maxWidth)(random);
            const int32_t height = std::uniform_int_distribution<int32_t>(1, shape.maxHeight)(random);
            const double density = std::uniform_real_distribution<double>(0.0, shape.maxDensity)(random);
            HostImage image = HostImage::blank(width, height, plugInModeRGBColor, n % 2 == 1);
            for (uint8_t& byte : image.pixels) {
                byte = uint8_t(random());
            }
            std::vector<uint8_t> filled(size_t(width) * size_t(height));
            for (uint8_t& f : filled) {
                f = std::bernoulli_distribution(density)(random) ? 1 : 0;
            }
            const HostImage before = image;
            spreadFlats(image, filled, n % 3 == 2 ? 2 : 1); // every third image on two threads
            for (int32_t y = 0; y < height; ++y) {
                for (int32_t x = 0; x < width; ++x) {
                    const uint8_t* expected = filled[size_t(y) * size_t(width) + size_t(x)]
                                                  ? before.pixel(x, y)
                                                  : nearestFilled(before, filled, x, y);
                    if (expected == nullptr) {
                        expected = before.pixel(x, y); // no filled pixel at all: the image stays as it was
                    }
                    for (int32_t c = 0; c < image.planes; ++c) {
                        const uint8_t want = c < image.colorPlanes ? expected[c] : before.pixel(x, y)[c];
                        ASSERT_EQ(image.pixel(x, y)[c], want) << width << "x" << height << " density " << density
                                                              << " at " << x << "," << y << " channel " << c;
                    }
                }
            }
        }
    }
}

// The closing pixels take the nearest filled colour as the flats would give it, those near a filled pixel and
// those far from every one (sparse masks put most of them beyond the near search); no other pixel changes.
TEST(FlatsTest, ClosingPixelsTakeTheNearestFilledColourNearAndFar)
{
    std::mt19937 random(2027);
    const Shape shapes[] = {{60, 60, 0.5, 60}, {120, 80, 0.002, 12}};
    for (const Shape& shape : shapes) {
        for (int n = 0; n < shape.images; ++n) {
            const int32_t width = std::uniform_int_distribution<int32_t>(1, shape.maxWidth)(random);
            const int32_t height = std::uniform_int_distribution<int32_t>(1, shape.maxHeight)(random);
            HostImage image = HostImage::blank(width, height);
            for (uint8_t& byte : image.pixels) {
                byte = uint8_t(random());
            }
            std::vector<uint8_t> filled(size_t(width) * size_t(height));
            std::vector<uint32_t> closings;
            for (size_t i = 0; i < filled.size(); ++i) {
                filled[i] = std::bernoulli_distribution(shape.maxDensity)(random) ? 1 : 0;
                if (!filled[i] && std::bernoulli_distribution(0.3)(random)) {
                    closings.push_back(uint32_t(i));
                }
            }
            std::shuffle(closings.begin(), closings.end(), random);
            const HostImage before = image;
            settleClosings(image, filled, closings);
            std::vector<uint8_t> closing(filled.size(), 0);
            for (uint32_t i : closings) {
                closing[i] = 1;
            }
            for (int32_t y = 0; y < height; ++y) {
                for (int32_t x = 0; x < width; ++x) {
                    const bool isClosing = closing[size_t(y) * size_t(width) + size_t(x)] != 0;
                    const uint8_t* nearest = isClosing ? nearestFilled(before, filled, x, y) : nullptr;
                    const bool settles = nearest != nullptr;
                    const uint8_t* expected = settles ? nearest : before.pixel(x, y);
                    for (int32_t c = 0; c < image.planes; ++c) {
                        ASSERT_EQ(image.pixel(x, y)[c], expected[c])
                            << width << "x" << height << " at " << x << "," << y << " channel " << c;
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace vendrel::test
