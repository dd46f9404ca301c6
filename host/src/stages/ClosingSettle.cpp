// After the filter: the closing strokes take the colour of the areas beside them.
#include <algorithm>
#include <cstring>

#include "DiscOffsets.h"
#include "NearestFilledRows.h"
#include "vendrel/host/Cancellation.h"
#include "vendrel/host/GapClosing.h"

namespace vendrel {

namespace {
// Closing pixels lie beside the areas they divide, so the nearest filled pixel is close; past this radius the
// exact transform answers instead.
constexpr int32_t searchRadius = 32;
} // namespace

void settleClosings(HostImage& image, std::span<const uint8_t> filled, const std::vector<uint32_t>& closings)
{
    static const std::vector<stages::Offset> offsets = stages::discOffsets(searchRadius);
    const size_t colours = size_t(image.colorPlanes);
    std::vector<uint32_t> far;
    size_t settled = 0;
    for (uint32_t i : closings) {
        if ((++settled & 4095) == 0) {
            throwIfCancelled();
        }
        const int32_t x = int32_t(i % uint32_t(image.width)), y = int32_t(i / uint32_t(image.width));
        bool found = false;
        for (const stages::Offset& o : offsets) {
            const int32_t nx = x + o.dx, ny = y + o.dy;
            if (nx >= 0 && ny >= 0 && nx < image.width && ny < image.height &&
                filled[size_t(ny) * size_t(image.width) + size_t(nx)]) {
                std::memcpy(image.pixel(x, y), image.pixel(nx, ny), colours);
                found = true;
                break;
            }
        }
        if (!found) {
            far.push_back(i);
        }
    }
    if (far.empty()) {
        return;
    }
    // The whole transform, row by row, of which only the far pixels are kept: its sources are filled pixels, which
    // nothing here changes.
    std::sort(far.begin(), far.end());
    auto next = far.begin();
    stages::forEachNearestFilled(
        filled.data(), image.width, image.height, 1,
        [&](int32_t x, int32_t y, int32_t fromX, int32_t fromY) {
            const uint32_t i = uint32_t(size_t(y) * size_t(image.width) + size_t(x));
            while (next != far.end() && *next < i) {
                ++next;
            }
            if (next != far.end() && *next == i) {
                std::memcpy(image.pixel(x, y), image.pixel(fromX, fromY), colours);
            }
        },
        [](int32_t) {});
}

} // namespace vendrel
