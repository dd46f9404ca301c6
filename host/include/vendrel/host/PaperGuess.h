// The paper of a scanned or drawn page, found from its pixels: its colour and a tolerance that keeps the ink out.
#pragma once

#include <array>
#include <cstdint>

#include "HostImage.h"

namespace vendrel {

// The paper's colour (8-bit RGB): among the light pixels (whose mean channel is at least 128), colours within a
// few levels of one another are taken together, and the most frequent such group's mean colour is taken, then
// moved to the mean of the light pixels within 24 levels of it until it settles, so that the paper's noise
// averages out. The image is RGB (its alpha is not looked at). White when the image has no light pixel.
std::array<uint8_t, 3> guessPaperColour(const HostImage& image);

// A tolerance that separates paper from ink: each pixel's distance to the paper colour is the largest of its
// channel differences (the measure of the filter's colour window), and the tolerance is the threshold that splits
// those distances best into two classes (Otsu's method, the one that maximises the variance between them), so
// that the paper's noise lies within it and the ink outside. 0 when every pixel has the paper's colour.
int32_t guessTolerance(const HostImage& image, const std::array<uint8_t, 3>& paper);

} // namespace vendrel
