#include "LineArtPage.h"

#include <random>
#include <vector>

#include <opencv2/imgproc.hpp>

namespace vendrel::bench {

HostImage lineArtPage(int32_t width, int32_t height)
{
    HostImage image = HostImage::blank(width, height);
    cv::Mat canvas(height, width, CV_8UC3, image.pixels.data(), image.rowBytes());
    std::mt19937 random(26);
    auto uniform = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const cv::Scalar ink(0, 0, 0);
    const int side = std::min(width, height);
    // Closed shapes of many sizes make the areas; open strokes leave gaps for gap closing to find.
    for (int i = 0; i < 120; ++i) {
        const cv::Point center(uniform(0, width - 1), uniform(0, height - 1));
        const cv::Size axes(uniform(side / 200, side / 8), uniform(side / 200, side / 8));
        cv::ellipse(canvas, center, axes, uniform(0, 180), 0, 360, ink, uniform(2, 5), cv::LINE_AA);
    }
    for (int i = 0; i < 50; ++i) {
        std::vector<cv::Point> stroke;
        cv::Point point(uniform(0, width - 1), uniform(0, height - 1));
        for (int step = 0; step < 6; ++step) {
            stroke.push_back(point);
            point += cv::Point(uniform(-side / 15, side / 15), uniform(-side / 15, side / 15));
        }
        cv::polylines(canvas, stroke, false, ink, uniform(2, 6), cv::LINE_AA);
    }
    return image;
}

HostImage tinyImage(int32_t side)
{
    HostImage image = HostImage::blank(side, side);
    for (int32_t i = 0; i < side; ++i) {
        for (int32_t c = 0; c < 3; ++c) {
            image.pixel(side / 2, i)[c] = 0;
            image.pixel(i, side / 2)[c] = 0;
        }
    }
    return image;
}

} // namespace vendrel::bench
