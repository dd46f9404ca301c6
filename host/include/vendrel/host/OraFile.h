// OpenRaster files: the flats under the line art, as layers that image editors open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "HostImage.h"

namespace vendrel {

// Whether the file name asks for an OpenRaster file (it ends in ".ora").
bool isOraName(const std::string& path);

// The bytes of an OpenRaster file: "mimetype" first and stored uncompressed, "stack.xml" with a "Line art" layer
// (lineArt, composite-op svg:multiply) over a "Flats" layer (flats), the two layers' PNGs under "data/",
// "mergedimage.png" (the line art multiplied over the flats) and "Thumbnails/thumbnail.png" (at most 256 pixels
// on its longer side). The two images have the same size; RGB only. Throws HostError.
std::vector<uint8_t> oraBytes(const HostImage& flats, const HostImage& lineArt);

// Writes oraBytes to path through a temporary file in the same folder renamed into place. Throws HostError.
void saveOra(const HostImage& flats, const HostImage& lineArt, const std::string& path);

} // namespace vendrel
