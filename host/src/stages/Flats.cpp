// Flats: the colour of each unfilled pixel's nearest filled pixel, found by the row-by-row transform.
#include "vendrel/host/Flats.h"

#include "NearestFilledRows.h"

namespace vendrel {

namespace {

// Most unfilled pixels take their colour from a few rows up or down, and the rows below have not been touched yet:
// each is asked for from memory this many rows ahead.
constexpr int32_t rowsAhead = 12;

template <typename Copy> void spread(HostImage& image, std::span<const uint8_t> filled, int32_t threads, Copy copy)
{
    const size_t planes = size_t(image.planes), rowBytes = image.rowBytes();
    uint8_t* pixels = image.pixels.data();
    auto at = [=](int32_t x, int32_t y) { return pixels + size_t(y) * rowBytes + size_t(x) * planes; };
    stages::forEachNearestFilled(
        filled.data(), image.width, image.height, threads,
        [=](int32_t x, int32_t y, int32_t fromX, int32_t fromY) { copy(at(x, y), at(fromX, fromY)); },
        [=, height = image.height](int32_t y) {
            if (y + rowsAhead < height) {
                const uint8_t* row = at(0, y + rowsAhead);
                for (size_t offset = 0; offset < rowBytes; offset += 64) {
                    __builtin_prefetch(row + offset);
                }
            }
        });
}

} // namespace

void spreadFlats(HostImage& image, std::span<const uint8_t> filled, int32_t threads)
{
    if (image.colorPlanes == 3) {
        spread(image, filled, threads, [](uint8_t* target, const uint8_t* source) {
            target[0] = source[0], target[1] = source[1], target[2] = source[2];
        });
        return;
    }
    spread(image, filled, threads, [colours = image.colorPlanes](uint8_t* target, const uint8_t* source) {
        for (int32_t c = 0; c < colours; ++c) {
            target[c] = source[c];
        }
    });
}

} // namespace vendrel
