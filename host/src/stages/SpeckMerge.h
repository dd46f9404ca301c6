// Specks: areas of a few pixels merged into the nearest larger area, whose colour they take.
#pragma once

#include <cstdint>
#include <vector>

#include "AreaMap.h"
#include "vendrel/host/HostImage.h"

namespace vendrel::stages {

// Every area of at most maxPixels pixels takes the colour of the nearest area larger than that: the one holding
// the pixel nearest to any of the speck's pixels by exact Euclidean distance, ties going to the leftmost, then
// topmost such pixel, as with the flats. Answers, for each area, the area it now belongs to (its own number
// unless it was merged). Without any larger area nothing changes.
std::vector<uint32_t> mergeSpecks(HostImage& image, const AreaMap& map, int32_t maxPixels, int32_t threads);

} // namespace vendrel::stages
