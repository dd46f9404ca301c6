#include "RunMemory.h"

#include <cmath>
#include <cstdio>

#include "Extras.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

namespace {

// Measured peaks of runs of a 12-megapixel RGB page (Release, libvips 8.14), above the program's own 30 MB:
// about 3.6 bytes a pixel for a PNG or TIFF output, 6.5 with the stages, 6.9 to OpenRaster with the stages.
// The figures below stay a little above them.
constexpr double copiesOfThePixels = 1.5;           // the host's buffer, which the codecs fill and read in place
constexpr double copiesForLayers = 0.3;             // OpenRaster: the rows its encoders hold at once
constexpr double stageBytesPerPixel = 3.2;          // the stages' masks and labels
constexpr uint64_t fixedBytes = uint64_t(48) << 20; // the program, its libraries and the module

} // namespace

uint64_t runMemoryBytes(int64_t width, int64_t height, int32_t planes, const RunRequest& request)
{
    const double pixels = double(width) * double(height);
    double perPixel = planes * copiesOfThePixels;
    if (isLayeredOutput(request.output)) {
        perPixel += planes * copiesForLayers;
    }
    if (request.flatting.any()) {
        perPixel += stageBytesPerPixel;
    }
    return fixedBytes + uint64_t(std::ceil(pixels * perPixel));
}

void checkImageFits(const std::string& path, int64_t width, int64_t height, int32_t planes, const RunRequest& request)
{
    const double megapixels = double(width) * double(height) / 1e6;
    char size[96];
    std::snprintf(size, sizeof size, "the image is %lld x %lld pixels (%.1f megapixels)", static_cast<long long>(width),
                  static_cast<long long>(height), megapixels);
    if (request.maxMegapixels > 0) {
        if (megapixels > request.maxMegapixels) {
            char limit[64];
            std::snprintf(limit, sizeof limit, "%g", request.maxMegapixels);
            throw HostError(path + ": " + size + ", more than --max-megapixels " + limit);
        }
        return;
    }
    const std::optional<uint64_t> available = availableMemoryBytes();
    const uint64_t needed = runMemoryBytes(width, height, planes, request);
    if (available && needed > *available) {
        throw HostError(path + ": " + size + "; its run needs about " + memoryText(needed) + " and " +
                        memoryText(*available) + " are available (--max-megapixels N sets another limit)");
    }
}

std::string memoryText(uint64_t bytes)
{
    char text[32];
    const double megabytes = double(bytes) / 1e6;
    if (megabytes < 1000) {
        std::snprintf(text, sizeof text, "%.0f MB", megabytes);
    } else {
        std::snprintf(text, sizeof text, "%.1f GB", megabytes / 1000);
    }
    return text;
}

} // namespace vendrel
