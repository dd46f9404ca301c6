// What the command tests share: a work folder, a private configuration folder, images drawn for the tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cli_command.h"
#include "cli_test_files.h"
#include "vendrel/host/ImageFile.h"

namespace vendrel::test {

class CommandTest : public ::testing::Test {
protected:
    // The preferences file goes to a folder of the test's own.
    CommandResult vendrel(const std::vector<std::string>& arguments,
                          std::map<std::string, std::string> environment = {}, const CommandStreams& streams = {})
    {
        environment["XDG_CONFIG_HOME"] = config.path();
        return runVendrel(arguments, environment, streams);
    }
    // The same, started in the background.
    std::unique_ptr<CommandProcess> start(const std::vector<std::string>& arguments,
                                          std::map<std::string, std::string> environment = {})
    {
        environment["XDG_CONFIG_HOME"] = config.path();
        return std::make_unique<CommandProcess>(arguments, environment);
    }
    std::string file(const std::string& name) const { return work.file(name); }

    TempFolder work;
    TempFolder config;
};

inline const std::string presetsFolder = std::string(VENDREL_SOURCE_DIR) + "/presets";

// Line art: white paper, pure black lines cutting it into areas, grey anti-aliasing beside some lines.
//  - a frame one pixel in from the border (so the outer ring of paper is one area),
//  - a vertical and a horizontal line inside the frame (four areas),
//  - a diagonal run of pixels touching only at corners, which still cuts off the top right corner,
//  - a tiny enclosed speck (a 3 x 3 ring around one white pixel),
//  - a column of grey (128) pixels beside the vertical line.
// Six white areas: the outer ring, two left quarters, the speck, the right half and its cut-off corner.
inline HostImage drawLineArt(int16_t mode = plugInModeRGBColor, bool alpha = false)
{
    const int32_t width = 60, height = 40;
    HostImage image = HostImage::blank(width, height, mode, alpha);
    std::fill(image.pixels.begin(), image.pixels.end(), 255);
    auto ink = [&](int32_t x, int32_t y, uint8_t value) {
        uint8_t* p = image.pixel(x, y);
        for (int32_t c = 0; c < image.colorPlanes; ++c) {
            // CMYK: no coloured ink, the black plane carries the line (the host's 0 is full ink).
            p[c] = mode == plugInModeCMYKColor && c < 3 ? 255 : value;
        }
    };
    for (int32_t x = 2; x < width - 2; ++x) {
        ink(x, 2, 0), ink(x, height - 3, 0);
    }
    for (int32_t y = 2; y < height - 2; ++y) {
        ink(2, y, 0), ink(width - 3, y, 0), ink(30, y, 0), ink(31, y, 128);
    }
    for (int32_t x = 2; x < 30; ++x) {
        ink(x, 20, 0);
    }
    for (int32_t i = 0; i < 16; ++i) {
        ink(41 + i, 3 + i, 0); // top side to right side, pixels touching at corners only
    }
    for (int32_t y = 9; y <= 11; ++y) {
        for (int32_t x = 9; x <= 11; ++x) {
            if (x != 10 || y != 10) {
                ink(x, y, 0);
            }
        }
    }
    return image;
}

// The 4-connected areas of pixels for which inWindow holds: an area number per pixel, -1 outside every area.
template <typename InWindow> std::vector<int> labelAreas(const HostImage& image, InWindow inWindow, int& areaCount)
{
    std::vector<int> labels(size_t(image.width) * size_t(image.height), -1);
    areaCount = 0;
    for (int32_t y0 = 0; y0 < image.height; ++y0) {
        for (int32_t x0 = 0; x0 < image.width; ++x0) {
            size_t start = size_t(y0) * size_t(image.width) + size_t(x0);
            if (labels[start] != -1 || !inWindow(image.pixel(x0, y0))) {
                continue;
            }
            std::vector<std::pair<int32_t, int32_t>> stack = {{x0, y0}};
            labels[start] = areaCount;
            while (!stack.empty()) {
                auto [x, y] = stack.back();
                stack.pop_back();
                const int32_t dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
                for (int k = 0; k < 4; ++k) {
                    int32_t nx = x + dx[k], ny = y + dy[k];
                    if (nx < 0 || ny < 0 || nx >= image.width || ny >= image.height) {
                        continue;
                    }
                    size_t at = size_t(ny) * size_t(image.width) + size_t(nx);
                    if (labels[at] == -1 && inWindow(image.pixel(nx, ny))) {
                        labels[at] = areaCount;
                        stack.push_back({nx, ny});
                    }
                }
            }
            ++areaCount;
        }
    }
    return labels;
}

} // namespace vendrel::test
