// Reading and writing image files for the host: PNG, JPEG, TIFF, WebP and whatever else libvips knows.
#pragma once

#include <string>

#include "HostImage.h"
#include "PluginModule.h"

namespace vendrel {

// The file holds a kind of image the host does not run filters on as it is (grayscale, 16-bit, Lab, indexed...).
// description() names what was found ("Grayscale 8-bit", "RGB 16-bit", ...).
class UnsupportedImageError : public HostError {
public:
    UnsupportedImageError(const std::string& path, std::string description);
    const std::string& description() const { return description_; }

private:
    std::string description_;
};

struct ImageLoadOptions {
    // Turn grayscale, indexed, Lab and 16-bit images into 8-bit RGB instead of refusing them.
    bool convert = false;
};

// The largest width or height the host accepts: the filter record's coordinates are 16-bit.
constexpr int32_t maxImageSide = 32767;

// Loads an image file. 8-bit RGB comes in as RGB (an alpha channel as a 4th plane, never shown to the filter);
// CMYK comes in as CMYK with 255 meaning no ink, whatever the file's own convention. Keeps the ICC profile and
// the resolution. Throws UnsupportedImageError for other kinds (unless converting) and HostError for everything
// else (missing or unreadable file, too large).
HostImage loadImage(const std::string& path, const ImageLoadOptions& options = {});

// Writes an image in the format that the file name's extension names, through a temporary file in the same
// folder that is renamed into place: a failed save leaves no partial file and any former file untouched.
// CMYK is written with the ink convention of the format (as it was read). Throws HostError.
void saveImage(const HostImage& image, const std::string& path);

// Whether the host can write a file of this name (its extension names a format it knows).
bool canSaveImage(const std::string& path);

} // namespace vendrel

namespace vendrel {

// The image as PNG bytes (RGB or gray, with its alpha), shrunk to fit maxSide pixels in either direction when
// maxSide is positive and the image is larger. CMYK images have no PNG form: throws HostError, as for any
// failure.
std::vector<uint8_t> encodePng(const HostImage& image, int32_t maxSide = 0);

} // namespace vendrel
