// What the libvips image files share: the host's images as the library's and back, and its errors as the host's.
#pragma once

#include <cstdint>
#include <string>

#include <vips/vips8>

#include "vendrel/host/HostImage.h"

namespace vendrel::vipsimage {

// The options every image is decoded with: errors fail the load, and the pixels are read once, top to bottom.
vips::VOption* loadOptions();

// The host's image as the library reads it, in place: the encoders read the host's buffer itself, which must
// outlive the image returned.
vips::VImage vipsImageOf(const HostImage& image);

// pixels described as the host's image is: its interpretation, resolution and profile.
vips::VImage describedAs(const vips::VImage& pixels, const HostImage& image);

// Whether the image is 8-bit RGB, with or without alpha.
bool isPlainRgb(const vips::VImage& image);
// What the image holds, in the words of the error message that refuses it ("Grayscale 8-bit", ...).
std::string describe(const vips::VImage& image);

// Stops the library's computation of the image when the host's cancel probe asks.
void watchForCancel(const vips::VImage& image);
// A failure of the library: CancelledError when it stopped because the user asked to, else HostError.
[[noreturn]] void failWith(const std::string& context, const std::exception& error);

} // namespace vendrel::vipsimage
