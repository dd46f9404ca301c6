#include "vendrel/host/PaperGuess.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace vendrel {

namespace {

constexpr int binShift = 2; // colours are counted in bins of 4 levels per channel
constexpr int binsPerChannel = 256 >> binShift;
constexpr size_t lightLimit = 128 * 3;
constexpr int nearLevels = 24; // pixels this near the paper's colour in every channel count as its noise

size_t binOf(int r, int g, int b)
{
    return (size_t(r) * binsPerChannel + size_t(g)) * binsPerChannel + size_t(b);
}

} // namespace

std::array<uint8_t, 3> guessPaperColour(const HostImage& image)
{
    const size_t bins = size_t(binsPerChannel) * binsPerChannel * binsPerChannel;
    std::vector<uint32_t> count(bins, 0);
    std::vector<std::array<uint64_t, 3>> sum(bins, {0, 0, 0});
    const size_t pixels = size_t(image.width) * size_t(image.height), planes = size_t(image.planes);
    for (size_t i = 0; i < pixels; ++i) {
        const uint8_t* p = image.pixels.data() + i * planes;
        if (size_t(p[0]) + p[1] + p[2] < lightLimit) {
            continue;
        }
        const size_t bin = binOf(p[0] >> binShift, p[1] >> binShift, p[2] >> binShift);
        ++count[bin];
        for (size_t c = 0; c < 3; ++c) {
            sum[bin][c] += p[c];
        }
    }
    // Near-equal colours go together: each bin counts with its neighbours in every channel, so that noise that
    // scatters the paper over several bins is still one colour.
    uint64_t bestCount = 0;
    std::array<int, 3> best = {0, 0, 0};
    for (int r = 0; r < binsPerChannel; ++r) {
        for (int g = 0; g < binsPerChannel; ++g) {
            for (int b = 0; b < binsPerChannel; ++b) {
                if (count[binOf(r, g, b)] == 0) {
                    continue;
                }
                uint64_t total = 0;
                for (int dr = -1; dr <= 1; ++dr) {
                    for (int dg = -1; dg <= 1; ++dg) {
                        for (int db = -1; db <= 1; ++db) {
                            const int nr = r + dr, ng = g + dg, nb = b + db;
                            if (nr >= 0 && ng >= 0 && nb >= 0 && nr < binsPerChannel && ng < binsPerChannel &&
                                nb < binsPerChannel) {
                                total += count[binOf(nr, ng, nb)];
                            }
                        }
                    }
                }
                if (total > bestCount) {
                    bestCount = total, best = {r, g, b};
                }
            }
        }
    }
    if (bestCount == 0) {
        return {255, 255, 255};
    }
    uint64_t members = 0;
    std::array<uint64_t, 3> total = {0, 0, 0};
    for (int dr = -1; dr <= 1; ++dr) {
        for (int dg = -1; dg <= 1; ++dg) {
            for (int db = -1; db <= 1; ++db) {
                const int nr = best[0] + dr, ng = best[1] + dg, nb = best[2] + db;
                if (nr < 0 || ng < 0 || nb < 0 || nr >= binsPerChannel || ng >= binsPerChannel ||
                    nb >= binsPerChannel) {
                    continue;
                }
                const size_t bin = binOf(nr, ng, nb);
                members += count[bin];
                for (size_t c = 0; c < 3; ++c) {
                    total[c] += sum[bin][c];
                }
            }
        }
    }
    std::array<uint8_t, 3> colour{};
    for (size_t c = 0; c < 3; ++c) {
        colour[c] = uint8_t((total[c] + members / 2) / members);
    }
    // The bins cut the paper's noise off unevenly: the colour is moved to the mean of the light pixels near it
    // until it settles.
    for (int round = 0; round < 8; ++round) {
        uint64_t near = 0;
        std::array<uint64_t, 3> nearSum = {0, 0, 0};
        for (size_t i = 0; i < pixels; ++i) {
            const uint8_t* p = image.pixels.data() + i * planes;
            if (size_t(p[0]) + p[1] + p[2] < lightLimit || std::abs(int(p[0]) - colour[0]) > nearLevels ||
                std::abs(int(p[1]) - colour[1]) > nearLevels || std::abs(int(p[2]) - colour[2]) > nearLevels) {
                continue;
            }
            ++near;
            for (size_t c = 0; c < 3; ++c) {
                nearSum[c] += p[c];
            }
        }
        std::array<uint8_t, 3> moved{};
        for (size_t c = 0; c < 3; ++c) {
            moved[c] = uint8_t((nearSum[c] + near / 2) / near);
        }
        if (moved == colour) {
            break;
        }
        colour = moved;
    }
    return colour;
}

int32_t guessTolerance(const HostImage& image, const std::array<uint8_t, 3>& paper)
{
    std::array<uint64_t, 256> histogram{};
    const size_t pixels = size_t(image.width) * size_t(image.height), planes = size_t(image.planes);
    for (size_t i = 0; i < pixels; ++i) {
        const uint8_t* p = image.pixels.data() + i * planes;
        int distance = 0;
        for (size_t c = 0; c < 3; ++c) {
            distance = std::max(distance, std::abs(int(p[c]) - int(paper[c])));
        }
        ++histogram[size_t(distance)];
    }
    // Otsu: the threshold t (paper: distance <= t) that maximises w0 w1 (m0 - m1)^2.
    double all = 0, allSum = 0;
    for (size_t d = 0; d < 256; ++d) {
        all += double(histogram[d]), allSum += double(d) * double(histogram[d]);
    }
    double below = 0, belowSum = 0, bestSpread = -1;
    int32_t threshold = 0;
    for (size_t t = 0; t < 255; ++t) {
        below += double(histogram[t]), belowSum += double(t) * double(histogram[t]);
        const double above = all - below;
        if (below == 0 || above == 0) {
            continue;
        }
        const double difference = belowSum / below - (allSum - belowSum) / above;
        const double spread = below * above * difference * difference;
        if (spread > bestSpread) {
            bestSpread = spread, threshold = int32_t(t);
        }
    }
    return threshold;
}

} // namespace vendrel
