#include "vendrel/host/FillWindow.h"

#include "vendrel/host/Cancellation.h"
#include "vendrel/host/ColorServices.h"
#include "vendrel/host/PluginModule.h"

#include <thread>

namespace vendrel {

namespace {

int16_t colourSpaceOf(int16_t mode)
{
    switch (mode) {
    case plugInModeGrayScale:
        return plugIncolorServicesGraySpace;
    case plugInModeCMYKColor:
        return plugIncolorServicesCMYKSpace;
    case plugInModeLabColor:
        return plugIncolorServicesLabSpace;
    default:
        return plugIncolorServicesRGBSpace;
    }
}

} // namespace

FillWindow fillWindowFor(const HostImage& image, const std::array<uint16_t, 3>& fillColor, int32_t tolerance)
{
    FillWindow window;
    window.channels = image.colorPlanes < 1 ? 3 : std::min(image.colorPlanes, 4);
    HostColor colour = {int16_t(fillColor[0] >> 8), int16_t(fillColor[1] >> 8), int16_t(fillColor[2] >> 8), 0};
    if (convertHostColor(plugIncolorServicesRGBSpace, colourSpaceOf(image.mode), colour) != noErr) {
        throw HostError("the fill colour cannot be converted into the image's " + imageModeName(image.mode) + " mode");
    }
    const uint32_t widen = uint16_t(tolerance);
    for (int c = 0; c < window.channels; ++c) {
        const uint32_t v = uint8_t(colour[size_t(c)]);
        window.low[size_t(c)] = v > widen ? uint8_t(v - widen) : 0;
        window.high[size_t(c)] = (widen < 255 && v < 255 - widen) ? uint8_t(v + widen) : 255;
    }
    return window;
}

namespace {

// Pixels first..last - 1 of the mask, in chunks between which a cancel is looked for (the caller throws).
void maskChunk(const HostImage& image, const FillWindow& window, PixelPlane<uint8_t>& mask, size_t first, size_t last);

void maskPixels(const HostImage& image, const FillWindow& window, PixelPlane<uint8_t>& mask, size_t first, size_t last)
{
    constexpr size_t chunk = size_t(1) << 22;
    for (size_t start = first; start < last && !cancelRequested(); start += chunk) {
        maskChunk(image, window, mask, start, std::min(last, start + chunk));
    }
}

void maskChunk(const HostImage& image, const FillWindow& window, PixelPlane<uint8_t>& mask, size_t first, size_t last)
{
    // Bit c of inside[v] says whether the value v lies in channel c's range: one look-up per channel and no
    // branch per pixel.
    std::array<uint8_t, 256> inside{};
    for (int c = 0; c < window.channels; ++c) {
        for (int v = window.low[size_t(c)]; v <= window.high[size_t(c)]; ++v) {
            inside[size_t(v)] = uint8_t(inside[size_t(v)] | (1u << c));
        }
    }
    const size_t planes = size_t(image.planes);
    const uint8_t* p = image.pixels.data() + first * planes;
    if (window.channels == 3 && image.planes == 3) {
        for (size_t i = first; i < last; ++i, p += 3) {
            mask[i] = uint8_t(inside[p[0]] & (inside[p[1]] >> 1) & (inside[p[2]] >> 2) & 1u);
        }
        return;
    }
    for (size_t i = first; i < last; ++i, p += planes) {
        mask[i] = window.contains(p) ? 1 : 0;
    }
}

} // namespace

PixelPlane<uint8_t> windowMask(const HostImage& image, const FillWindow& window, int32_t threads)
{
    const size_t count = size_t(image.width) * size_t(image.height);
    PixelPlane<uint8_t> mask(count);
    if (threads < 2) {
        maskPixels(image, window, mask, 0, count);
    } else {
        const size_t middle = size_t(image.height / 2) * size_t(image.width);
        std::thread worker([&] { maskPixels(image, window, mask, middle, count); });
        maskPixels(image, window, mask, 0, middle);
        worker.join();
    }
    throwIfCancelled();
    return mask;
}

bool colourOutsideWindow(const FillWindow& window, std::array<uint8_t, 4>& colour)
{
    colour = {0, 0, 0, 0};
    for (int c = 0; c < window.channels; ++c) {
        if (window.low[size_t(c)] > 0) {
            return true;
        }
    }
    for (int c = 0; c < window.channels; ++c) {
        if (window.high[size_t(c)] < 255) {
            colour[size_t(c)] = 255;
            return true;
        }
    }
    return false;
}

} // namespace vendrel
