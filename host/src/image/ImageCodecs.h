// The image codecs of the Linux host: every use of libvips sits behind this one table of entry points, so that a
// program can take it linked in (the tests, the GIMP plug-in, the benchmarks) or load it only on first need from
// libvendrel-image-codecs.so (the command, host/src/codecs/LoadedCodecs.cpp), and never start libvips for a run
// that reads and writes no image.
//
// The library holds no host code of its own: what its functions use of the host (errors, the cancel probe,
// pending files, pixel buffers, the save checks) is the loading program's, which exports it. So the functions
// are plain C++ ones: a HostError or CancelledError thrown inside is the program's own type and reaches its
// callers as any exception does, and the cancel probe they ask is the one the program installed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vendrel/host/DialogRenderer.h"
#include "vendrel/host/GrowingBytes.h"
#include "vendrel/host/ImageFile.h"
#include "vendrel/host/PendingFile.h"

namespace vendrel {

// How a format is written on Linux: the name libvips knows its encoder by (".png", ".jpg", ...).
struct SaveEncoder {
    const char* suffix;
};

// The coverage of rendered text, 0 (none) to 255 (full), one byte per pixel, rows from the top.
struct TextMask {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> coverage;
};

// Each entry behaves as the public function of the same name (ImageFile.h, DialogRenderer.h) and throws as it does.
struct ImageCodecs {
    HostImage (*loadImage)(const std::string& path, const ImageLoadOptions& options);
    ImageDimensions (*readImageDimensions)(const std::string& path);
    void (*writeImage)(const HostImage& image, PendingFile& file, const ImageSaveOptions& options);
    std::vector<uint8_t> (*encodePng)(const HostImage& image, int32_t maxSide);
    std::vector<uint8_t> (*encodeComposedPng)(const HostImage& like, const std::vector<uint8_t>& source,
                                              int32_t sourcePlanes, const RowComposer& compose);
    std::vector<uint8_t> (*pngThumbnail)(GrowingBytes& png, int32_t maxSide);
    // The dialog picture as a PNG file into the pending file.
    void (*writeRgbPng)(const RgbRaster& raster, PendingFile& file);
    // Pango markup rendered in the font ("Family Size") at dpi, broken at words to wrapWidth when it is positive;
    // an empty mask when it cannot be rendered.
    TextMask (*renderText)(const std::string& markup, const char* font, int32_t dpi, int32_t wrapWidth);
};

// Raised whenever the table or a type it uses changes, so that a stale library is refused, not misused.
inline constexpr int32_t kImageCodecsVersion = 2;
// The function a program looks up in the library: the table, or null when the version differs. Never throws.
inline constexpr const char* kImageCodecsEntry = "vendrel_image_codecs";
inline constexpr const char* kImageCodecsLibrary = "libvendrel-image-codecs.so";
extern "C" const ImageCodecs* vendrel_image_codecs(int32_t version) noexcept;

// The codecs of this program: linked in, or loaded on the first call. Throws HostError naming the library and
// the reason when it cannot be loaded.
const ImageCodecs& imageCodecs();

// Where the codecs are loaded on demand, starts loading them on a thread of their own, so that their first use
// (which waits for it) finds them ready; nothing where they are linked in. Never throws.
void startLoadingImageCodecs() noexcept;

} // namespace vendrel
