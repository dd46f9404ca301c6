// A generated page as a scanner gives it (paper tint, noise, outlines with anti-aliased edges, hatching), or as
// line art on a transparent background, with what each pixel was drawn as.
#pragma once

#include <algorithm>
#include <array>
#include <vector>

#include "vendrel/host/HostImage.h"

namespace vendrel::test {

// A page as a scanner gives it, with what each pixel was drawn as: paper (true) or ink.
struct Scan {
    HostImage image;
    std::vector<bool> paper;
};

// Boxes with 3-pixel outlines of dark ink, a lighter anti-aliased pixel either side of each outline, diagonal
// hatching in grey inside one box, on paper of the given tint; every channel of every pixel is moved by up to
// noise levels, from a fixed sequence.
inline Scan generatedScan(const std::array<int, 3>& tint, int noise, bool transparent = false)
{
    const int32_t width = 160, height = 120;
    Scan scan{HostImage::blank(width, height, plugInModeRGBColor, transparent),
              std::vector<bool>(size_t(width) * size_t(height), true)};
    std::vector<int> drawn(size_t(width) * size_t(height), -1); // the level drawn, -1: paper
    auto box = [&](int32_t left, int32_t top, int32_t right, int32_t bottom) {
        for (int32_t y = top - 1; y <= bottom + 1; ++y) {
            for (int32_t x = left - 1; x <= right + 1; ++x) {
                const bool outline = x >= left && x <= right && y >= top && y <= bottom &&
                                     (x < left + 3 || x > right - 3 || y < top + 3 || y > bottom - 3);
                const bool edge = !outline && (x < left + 4 || x > right - 4 || y < top + 4 || y > bottom - 4);
                int& level = drawn[size_t(y) * size_t(width) + size_t(x)];
                level = outline ? 30 : edge ? std::max(level, 130) : level;
            }
        }
    };
    box(10, 10, 70, 60);
    box(80, 10, 150, 60);
    box(10, 70, 150, 110);
    for (int32_t y = 14; y < 57; ++y) {
        for (int32_t x = 84; x < 147; ++x) {
            if ((x + y) % 5 == 0) {
                drawn[size_t(y) * size_t(width) + size_t(x)] = 110;
            }
        }
    }
    uint32_t state = 12345;
    auto jitter = [&] {
        state = state * 1103515245u + 12345u;
        return int((state >> 16) % uint32_t(2 * noise + 1)) - noise;
    };
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const size_t i = size_t(y) * size_t(width) + size_t(x);
            uint8_t* p = scan.image.pixel(x, y);
            scan.paper[i] = drawn[i] < 0;
            for (int c = 0; c < 3; ++c) {
                const int base = drawn[i] < 0 ? (transparent ? 0 : tint[size_t(c)]) : drawn[i];
                p[c] = uint8_t(std::clamp(base + (transparent ? 0 : jitter()), 0, 255));
            }
            if (transparent) {
                p[3] = drawn[i] < 0 ? 0 : 255;
            }
        }
    }
    return scan;
}

} // namespace vendrel::test
