// Reading and writing image files for the host: through libvips on Linux (PNG, JPEG, TIFF, WebP and whatever else
// it knows), through the Windows Imaging Component on Windows (PNG, JPEG, TIFF, BMP and the system's other codecs).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "GrowingBytes.h"
#include "HostImage.h"
#include "PendingFile.h"
#include "PluginModule.h"

namespace vendrel {

// The file holds a kind of image the host does not run filters on as it is (grayscale, 16-bit, Lab, indexed...).
// description() names what was found ("Grayscale 8-bit", "RGB 16-bit", ...); grayscale() says whether it is a
// grayscale image (of any depth), which some callers convert unasked.
class UnsupportedImageError : public HostError {
public:
    UnsupportedImageError(const std::string& path, std::string description, bool grayscale);
    const std::string& description() const { return description_; }
    bool grayscale() const { return grayscale_; }

private:
    std::string description_;
    bool grayscale_;
};

// Writing or reading the image as asked would drop part of what it holds (pages, alpha, inks). what() names
// what would be lost.
class InformationLossError : public HostError {
public:
    using HostError::HostError;
};

struct ImageLoadOptions {
    // Turn grayscale, indexed, Lab and 16-bit images into 8-bit RGB instead of refusing them.
    bool convert = false;
    // Take the first page (or frame) of a file that holds several instead of refusing it.
    bool firstPage = false;
    // Called with the image's width, height and channels once they are known from the file's header, before any
    // pixel is decoded; it throws to refuse the image (one too large for the memory there is, for example).
    std::function<void(int32_t width, int32_t height, int32_t channels)> checkSize = nullptr;
};

// The size of an image as its file's header gives it.
struct ImageDimensions {
    int32_t width = 0;
    int32_t height = 0;
    int32_t channels = 0;
};

struct ImageSaveOptions {
    // Leave out the alpha channel when the format holds none, instead of refusing.
    bool dropAlpha = false;
    // Turn CMYK into 8-bit RGB when the format holds no CMYK, instead of refusing.
    bool toRgb = false;
};

// The largest image file read, in bytes.
constexpr uint64_t maxImageFileBytes = uint64_t(4) << 30;

// The largest width or height the host accepts: the filter record's coordinates are 16-bit.
constexpr int32_t maxImageSide = 32767;

// Loads an image file, which must be a regular file; its name is taken literally. 8-bit RGB comes in as RGB (an alpha channel as a 4th plane, never shown to the filter);
// CMYK comes in as CMYK with 255 meaning no ink, whatever the file's own convention. Keeps the ICC profile and
// the resolution. Throws UnsupportedImageError for other kinds (unless converting) and HostError for everything
// else (missing or unreadable file, not a regular file, too large), InformationLossError for a file of several
// pages unless firstPage.
// Decoding is cancelled (CancelledError) when the host's cancel probe asks for it.
HostImage loadImage(const std::string& path, const ImageLoadOptions& options = {});

// The size of the image in a file, read from its header alone (the file must be a regular file). Throws
// HostError when the file is not an image the host reads.
ImageDimensions readImageDimensions(const std::string& path);

// Writes an image in the format that the file name's extension names, through a temporary file in the same
// folder that is renamed into place: a failed save leaves no partial file and any former file untouched.
// CMYK is written with the ink convention of the format (as it was read). Throws HostError, and
// InformationLossError when the format cannot hold the image as it is.
void saveImage(const HostImage& image, const std::string& path, const ImageSaveOptions& options = {});

// Writes the image into a pending file in the format its target's extension names; the caller puts it in
// place. Throws as saveImage does; encoding is cancelled (CancelledError) when the cancel probe asks for it.
void writeImage(const HostImage& image, PendingFile& file, const ImageSaveOptions& options = {});

// What writing the image to path would drop ("the alpha channel", ...), empty when nothing: the check that
// writeImage makes, for callers that want to know before doing any work.
std::string lossOnSaving(const HostImage& image, const std::string& path, const ImageSaveOptions& options = {});

// Starts loading the image library on a thread of its own where it is loaded on first need (the command on Linux,
// where every file but a plain PNG goes through it): a run that knows early that it will need the library
// overlaps its start-up with other work. Nothing elsewhere. Never throws.
void prepareImageLibrary() noexcept;
// prepareImageLibrary for a run that will write an image file of this name, when the library is what writes it
// (every format but PNG); nothing for a name of no format the host writes.
void prepareToWrite(const std::string& path);

// Whether the host writes files of this name: its extension names one of the single-file formats it knows
// (.png, .jpg/.jpeg, .tif/.tiff, and .webp on Linux or .bmp on Windows, in any case). The name itself is taken
// literally.
bool canSaveImage(const std::string& path);

} // namespace vendrel

namespace vendrel {

// Linux only. The image as PNG bytes (RGB or gray, with its alpha), shrunk to fit maxSide pixels in either direction when
// maxSide is positive and the image is larger. CMYK images have no PNG form: throws HostError, as for any
// failure.
std::vector<uint8_t> encodePng(const HostImage& image, int32_t maxSide = 0);

// Makes the row segment of count pixels from (x, y) of an image into out, from the same pixels of a source
// image; called from several threads at once, for different segments.
using RowComposer =
    std::function<void(int32_t x, int32_t y, int32_t count, const uint8_t* sourcePixels, uint8_t* outPixels)>;

// Linux only. As encodePng of an image like `like` (its size, planes, profile and resolution) whose pixels
// compose makes, as the encoder asks for them, from the 8-bit RGB image with sourcePlanes planes that the PNG
// bytes `source` hold: neither image is ever whole in memory. The encoded bytes are also appended to copy, when
// given, as they are made (or all at once at the end), for a reader on another thread; the caller closes it.
// Throws HostError, CancelledError.
std::vector<uint8_t> encodeComposedPng(const HostImage& like, const std::vector<uint8_t>& source, int32_t sourcePlanes,
                                       const RowComposer& compose, GrowingBytes* copy = nullptr);

// Linux only. As encodePng(image, maxSide) of the image that the PNG bytes hold, read from them in order as they
// come and never whole. Throws HostError (also for bytes that end early), CancelledError.
std::vector<uint8_t> pngThumbnail(GrowingBytes& png, int32_t maxSide);

} // namespace vendrel
