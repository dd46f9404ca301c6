// Distinct neighbours: no two areas whose regions touch keep the same colour.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "AreaMap.h"
#include "vendrel/host/AreaColours.h"
#include "vendrel/host/HostImage.h"

namespace vendrel::stages {

// Two areas are neighbours when their regions touch (4-adjacent) once every pixel that no area holds takes the
// area of the nearest filled pixel, exactly as the flats spread them. owner says, for each area, the area whose
// pixels it counts as (merged specks); a small area the filter joined to a touching area of its colour counts as
// that area too, and areas in the flag colour keep it. In seed order, an area whose colour a touching area before
// it already holds takes the next colour in the palette's order that no touching area holds and that the filter
// would accept; past the palette, a colour drawn from a fixed generator. Areas that need no change keep their
// colour; the result is the same on every run. Answers a note for the user when the palette ran short, else "".
std::string distinguishNeighbours(HostImage& image, const AreaMap& map, const std::vector<uint32_t>& owner,
                                  std::span<const uint8_t> filled, const AreaColours& colours, int32_t threads);

} // namespace vendrel::stages
