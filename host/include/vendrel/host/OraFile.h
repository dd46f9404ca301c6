// OpenRaster files: the flats under the line art, as layers that image editors open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "HostImage.h"
#include "PendingFile.h"

namespace vendrel {

// Whether the file name asks for an OpenRaster file (it ends in ".ora").
bool isOraName(const std::string& path);

// The line art layer of an OpenRaster file, as its PNG: encoded before the filter changes the image, so that a
// run keeps no copy of the line art's pixels meanwhile.
struct OraLineArt {
    std::vector<uint8_t> png;
    int32_t width = 0;
    int32_t height = 0;
    int32_t colorPlanes = 3;
    bool hasAlpha = false;

    int32_t planes() const { return colorPlanes + (hasAlpha ? 1 : 0); }
};

// The line art's layer, with its profile and resolution. RGB only: throws HostError for CMYK, as for any
// failure; encoding is cancelled (CancelledError) when the cancel probe asks for it.
OraLineArt encodeOraLineArt(const HostImage& lineArt);

// The bytes of an OpenRaster file: "mimetype" first and stored uncompressed, "stack.xml" (with the flats'
// resolution as xres and yres in pixels per inch, when known) with a "Line art" layer
// (lineArt: composite-op svg:multiply, or svg:src-over when it has alpha, as line art drawn on a transparent
// background) over a "Flats" layer (flats), the two layers' PNGs under "data/", "mergedimage.png" (the line art
// over the flats) and "Thumbnails/thumbnail.png" (at most 256 pixels on its longer side). The two images have
// the same size and colour channels, with or without alpha each; RGB only. Throws HostError.
std::vector<uint8_t> oraBytes(const HostImage& flats, const OraLineArt& lineArt);
std::vector<uint8_t> oraBytes(const HostImage& flats, const HostImage& lineArt);

// Writes oraBytes into a pending file; the caller puts it in place. Throws HostError.
void writeOra(const HostImage& flats, const OraLineArt& lineArt, PendingFile& file);
// Writes oraBytes to path through a temporary file in the same folder put in place. Throws HostError.
void saveOra(const HostImage& flats, const HostImage& lineArt, const std::string& path);

} // namespace vendrel
