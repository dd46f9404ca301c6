// The 8-connected pieces of line, with every piece that touches the image border counted as one.
#pragma once

#include <cstdint>
#include <vector>

namespace vendrel::stages {

class LineComponents {
public:
    // Labels the line pixels (those that are 0 in the window mask inWindow), row by row over runs of them.
    LineComponents(const std::vector<uint8_t>& inWindow, int32_t width, int32_t height);

    // The piece the line pixel (x, y) belongs to; -1 for a pixel that was no line pixel.
    int32_t at(int32_t x, int32_t y) const;

private:
    struct Run {
        int32_t left, right;
        int32_t label;
    };
    int32_t find(int32_t label) const;
    void join(int32_t a, int32_t b);

    std::vector<Run> runs_;
    std::vector<uint32_t> rowStart_; // the first run of each row; one more entry at the end
    mutable std::vector<int32_t> parent_;
};

} // namespace vendrel::stages
