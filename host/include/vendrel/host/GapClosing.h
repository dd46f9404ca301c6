// Gap closing: short strokes that close gaps in the lines before the filter runs, taken out again afterwards.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "FillWindow.h"
#include "HostImage.h"

namespace vendrel {

// Closes gaps up to maxGap pixels wide in the lines of image (the pixels outside the window). The lines are
// thinned to a skeleton; each skeleton end point (the tip of a branch at least three pixels long, so specks and
// thinning spurs have none) is joined by a straight 8-connected stroke to the nearest line pixel ahead of it
// (within 60 degrees of the branch's direction) that the stroke reaches across at most maxGap pixels inside the
// window and that closes a region: the target belongs to the same 8-connected line (or to lines touching the
// image border when the end point's line touches it too), and is not reachable from the end point along the line
// within twice the stroke's length. The strokes' window pixels are painted in a colour outside the window.
// inWindow is the image's windowMask; the closing pixels are cleared in it. Answers their pixel indices
// (row-major), in drawing order.
std::vector<uint32_t> closeGaps(HostImage& image, const FillWindow& window, std::span<uint8_t> inWindow,
                                int32_t maxGap);

// closeGaps in two steps. The first finds the strokes from inWindow alone (clearing their pixels in it) and
// neither reads nor changes the image's pixels, so that other readers of the image may run beside it; the second
// paints them into the image.
std::vector<uint32_t> findClosings(const HostImage& image, const FillWindow& window, std::span<uint8_t> inWindow,
                                   int32_t maxGap);
void paintClosings(HostImage& image, const FillWindow& window, const std::vector<uint32_t>& closings);

// After the filter: each closing pixel takes the colour of the nearest filled pixel (filled as in spreadFlats,
// same distance and tie rule), so that the lines of the output are the lines of the input.
void settleClosings(HostImage& image, std::span<const uint8_t> filled, const std::vector<uint32_t>& closings);

} // namespace vendrel
