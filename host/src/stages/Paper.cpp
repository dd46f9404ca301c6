#include "vendrel/host/Paper.h"

#include "vendrel/host/ColorServices.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

void putOnPaper(HostImage& image, const std::array<uint16_t, 3>& paperColour)
{
    if (!image.hasAlpha) {
        return;
    }
    HostColor colour = {int16_t(paperColour[0] >> 8), int16_t(paperColour[1] >> 8), int16_t(paperColour[2] >> 8), 0};
    const int16_t space = image.mode == plugInModeCMYKColor   ? int16_t(plugIncolorServicesCMYKSpace)
                          : image.mode == plugInModeGrayScale ? int16_t(plugIncolorServicesGraySpace)
                                                              : int16_t(plugIncolorServicesRGBSpace);
    if (convertHostColor(plugIncolorServicesRGBSpace, space, colour) != noErr) {
        throw HostError("the paper colour cannot be converted into the image's " + imageModeName(image.mode) + " mode");
    }
    const size_t colours = size_t(image.colorPlanes), planes = size_t(image.planes);
    const size_t count = size_t(image.width) * size_t(image.height);
    std::vector<uint8_t> opaque(count * colours);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* source = image.pixels.data() + i * planes;
        const unsigned alpha = source[planes - 1];
        for (size_t c = 0; c < colours; ++c) {
            const unsigned paper = uint8_t(colour[c]);
            opaque[i * colours + c] = uint8_t((source[c] * alpha + paper * (255 - alpha) + 127) / 255);
        }
    }
    image.pixels = std::move(opaque);
    image.planes = image.colorPlanes;
    image.hasAlpha = false;
}

} // namespace vendrel
