#include "Pipelines.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <vector>

namespace vendrel::bench {

void memoryFloorPass(HostImage& image)
{
    uint8_t* p = image.pixels.data();
    const size_t n = image.pixels.size();
    for (size_t i = 0; i < n; ++i)
        p[i] = uint8_t(p[i] ^ 0x5A);
}

void openCvPipeline(HostImage& image, int tolerance)
{
    cv::Mat pixels(image.height, image.width, CV_8UC3, image.pixels.data(), image.rowBytes());
    const double low = 255.0 - tolerance;
    cv::Mat mask;
    cv::inRange(pixels, cv::Scalar(low, low, low), cv::Scalar(255, 255, 255), mask);
    cv::Mat labels, stats, centroids;
    const int count = cv::connectedComponentsWithStats(mask, labels, stats, centroids, 4, CV_32S);

    std::vector<cv::Vec3b> colors(static_cast<size_t>(count));
    uint32_t state = 1;
    for (int i = 1; i < count; ++i) {
        state = state * 214013u + 2531011u;
        colors[size_t(i)] = cv::Vec3b(uint8_t(state >> 8), uint8_t(state >> 16), uint8_t(state >> 24));
    }
    for (int y = 0; y < pixels.rows; ++y) {
        const int32_t* label = labels.ptr<int32_t>(y);
        cv::Vec3b* out = pixels.ptr<cv::Vec3b>(y);
        for (int x = 0; x < pixels.cols; ++x)
            if (label[x] > 0)
                out[x] = colors[size_t(label[x])];
    }
}

} // namespace vendrel::bench
