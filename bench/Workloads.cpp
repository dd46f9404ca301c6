#include "Workloads.h"

#include <algorithm>
#include <memory>
#include <opencv2/imgproc.hpp>
#include <random>
#include <stdexcept>

namespace vendrel::bench {

namespace {

constexpr uint8_t kWhite = 255;
constexpr uint8_t kBlack = 0;
constexpr int kCellPitch = 16;
constexpr int kSplitEveryBand = 5; // every fifth column of cells is split in two: a third of the areas

HostImage whiteImage(int width, int height)
{
    HostImage image = HostImage::blank(width, height);
    std::fill(image.pixels.begin(), image.pixels.end(), kWhite);
    return image;
}

void setPixel(HostImage& image, int x, int y, uint8_t value)
{
    uint8_t* p = image.pixel(x, y);
    p[0] = p[1] = p[2] = value;
}

void drawCells(HostImage& image, bool splitSomeCells)
{
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const bool gridLine = x % kCellPitch == kCellPitch - 1 || y % kCellPitch == kCellPitch - 1;
            const bool splitLine =
                splitSomeCells && (x / kCellPitch) % kSplitEveryBand == 0 && x % kCellPitch == kCellPitch / 2 - 1;
            if (gridLine || splitLine)
                setPixel(image, x, y, kBlack);
        }
}

// Small white cells between one-pixel lines of two bright colours: every area is small, and the nearest
// pixel outside each is a line it can be joined to.
void drawSmallCells(HostImage& image)
{
    constexpr int kSmallPitch = 8;
    const uint8_t across[3] = {40, 160, 220};
    const uint8_t down[3] = {220, 160, 40};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* line = y % kSmallPitch == kSmallPitch - 1   ? across
                                  : x % kSmallPitch == kSmallPitch - 1 ? down
                                                                       : nullptr;
            if (line)
                std::copy(line, line + 3, image.pixel(x, y));
        }
}

// Vertical one-pixel corridors joined alternately at the bottom and the top: one long winding area.
void drawMaze(HostImage& image)
{
    for (int x = 1; x < image.width; x += 2) {
        const int opening = ((x / 2) % 2 == 0) ? image.height - 1 : 0;
        for (int y = 0; y < image.height; ++y)
            if (y != opening)
                setPixel(image, x, y, kBlack);
    }
}

// Line art: anti-aliased curves and strokes of several widths over white, making areas of many sizes.
void drawPage(HostImage& image)
{
    cv::Mat canvas(image.height, image.width, CV_8UC3, image.pixels.data(), image.rowBytes());
    std::mt19937 random(2013);
    auto uniform = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const cv::Scalar ink(0, 0, 0);
    const int scale = std::max(1, image.width / 512);
    for (int i = 0; i < 60 * scale * scale; ++i) {
        const cv::Point center(uniform(0, image.width - 1), uniform(0, image.height - 1));
        const cv::Size axes(uniform(4, 60 * scale), uniform(4, 60 * scale));
        cv::ellipse(canvas, center, axes, uniform(0, 180), 0, 360, ink, uniform(1, 3), cv::LINE_AA);
    }
    for (int i = 0; i < 12 * scale * scale; ++i) {
        std::vector<cv::Point> curve;
        cv::Point point(uniform(0, image.width - 1), uniform(0, image.height - 1));
        for (int step = 0; step < 8; ++step) {
            curve.push_back(point);
            point += cv::Point(uniform(-90, 90) * scale / 2, uniform(-90, 90) * scale / 2);
        }
        cv::polylines(canvas, curve, false, ink, uniform(1, 4), cv::LINE_AA);
    }
}

Descriptor settings(int32_t tolerance, bool flag, bool join)
{
    Descriptor d;
    d.put(PIFourCC("BckC"), colorObject({65535, 65535, 65535}));
    d.put(PIFourCC("Clr "), colorObject({65535, 0, 65535}));
    d.put(PIFourCC("Tlrn"), tolerance);
    d.put(PIFourCC("RanD"), true);
    d.put(PIFourCC("Ar  "), true);
    d.put(PIFourCC("FlaG"), flag);
    d.put(PIFourCC("JoiN"), join);
    // A split cell holds 7 x 15 pixels, a whole one 15 x 15.
    d.put(PIFourCC("FlgS"), int32_t(150));
    d.put(PIFourCC("JinS"), int32_t(150));
    return d;
}

} // namespace

std::vector<std::string> workloadNames()
{
    return {"cells", "page", "open", "maze", "flagjoin", "smalljoin"};
}

Workload makeWorkload(const std::string& name, int shrink)
{
    Workload w;
    w.name = name;
    if (name == "cells" || name == "flagjoin") {
        w.image = whiteImage(8192 / shrink, 8192 / shrink);
        drawCells(w.image, name == "flagjoin");
        w.settings = settings(0, name == "flagjoin", name == "flagjoin");
    } else if (name == "smalljoin") {
        w.image = whiteImage(8192 / shrink, 8192 / shrink);
        drawSmallCells(w.image);
        w.settings = settings(0, false, true);
    } else if (name == "page") {
        w.image = whiteImage(4096 / shrink, 6144 / shrink);
        drawPage(w.image);
        w.tolerance = 40;
        w.settings = settings(40, false, false);
    } else if (name == "open") {
        w.image = whiteImage(8192 / shrink, 8192 / shrink);
        w.settings = settings(0, false, false);
    } else if (name == "maze") {
        w.image = whiteImage(4096 / shrink, 4096 / shrink);
        drawMaze(w.image);
        w.settings = settings(0, false, false);
    } else {
        throw std::invalid_argument("no workload named " + name);
    }
    return w;
}

} // namespace vendrel::bench
