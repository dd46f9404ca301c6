// An uncompressed TIFF file of 8-bit CMYK, with or without alpha, written by the host itself: the Windows
// Imaging Component's TIFF encoder takes CMYK on Windows but not under wine, where this writer stands in.
#pragma once

#include <string>

#include "vendrel/host/HostImage.h"

namespace vendrel {

// The file's bytes; the image's CMYK bytes say 255 for no ink, as the host's do, and the file's say 0. Keeps the
// ICC profile and the resolution. Throws HostError when the file would exceed TIFF's 4 GiB.
std::string cmykTiffBytes(const HostImage& image);

} // namespace vendrel
