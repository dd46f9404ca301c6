// What the host refuses before any selector runs: modes the module does not enable and images the filter
// record cannot describe.
#include "FilterSession.h"

namespace vendrel {

namespace {

constexpr int32_t kLargestSide = 32767;
constexpr int32_t kMostPlanes = 56; // the most channels a host image carries

// The menu name without its trailing ellipsis: "Vendrel..." reads "Vendrel".
std::string filterName(const PluginModule& module)
{
    std::string name = module.pipl().name;
    while (!name.empty() && name.back() == '.')
        name.pop_back();
    return name.empty() ? "the filter" : name;
}

} // namespace

void checkImageMode(const PluginModule& module, const HostImage& image)
{
    if (module.pipl().supportsMode(image.mode))
        return;
    const std::string modes = module.pipl().supportedModesText();
    throw HostError(filterName(module) + " supports " + (modes.empty() ? "no" : modes) +
                    " images only; this image is " + imageModeName(image.mode));
}

void checkImageGeometry(const HostImage& image)
{
    if (image.width > kLargestSide || image.height > kLargestSide)
        throw HostError("the image is " + std::to_string(image.width) + " x " + std::to_string(image.height) +
                        " pixels; the largest the filter accepts is 32767 in either direction");
    if (image.width <= 0 || image.height <= 0)
        throw HostError("the image has no pixels");
    if (image.colorPlanes < 1 || image.planes < image.colorPlanes + (image.hasAlpha ? 1 : 0) ||
        image.planes > kMostPlanes)
        throw HostError("the image's planes do not add up (" + std::to_string(image.colorPlanes) + " colour planes, " +
                        std::to_string(image.planes) + " in all)");
    const size_t expected = size_t(image.width) * size_t(image.height) * size_t(image.planes);
    if (image.pixels.size() != expected)
        throw HostError("the image's pixel buffer holds " + std::to_string(image.pixels.size()) + " bytes; " +
                        std::to_string(image.width) + " x " + std::to_string(image.height) + " x " +
                        std::to_string(image.planes) + " needs " + std::to_string(expected));
}

} // namespace vendrel
