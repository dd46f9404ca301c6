#include "vendrel/host/HostImage.h"

namespace vendrel {

HostImage HostImage::blank(int32_t width, int32_t height, int16_t mode, bool alpha)
{
    HostImage image;
    image.width = width > 0 ? width : 0;
    image.height = height > 0 ? height : 0;
    image.mode = mode;
    image.colorPlanes = mode == plugInModeCMYKColor ? 4 : (mode == plugInModeGrayScale ? 1 : 3);
    image.planes = image.colorPlanes + (alpha ? 1 : 0);
    image.hasAlpha = alpha;
    // White paper, fully opaque: 255 is white in RGB and gray and no ink in the host's CMYK bytes.
    image.pixels.assign(size_t(image.width) * size_t(image.height) * size_t(image.planes), 255);
    return image;
}

std::string imageModeName(int16_t mode)
{
    switch (mode) {
    case plugInModeBitmap:
        return "Bitmap";
    case plugInModeGrayScale:
        return "Grayscale";
    case plugInModeIndexedColor:
        return "Indexed Color";
    case plugInModeRGBColor:
        return "RGB";
    case plugInModeCMYKColor:
        return "CMYK";
    case plugInModeHSLColor:
        return "HSL";
    case plugInModeHSBColor:
        return "HSB";
    case plugInModeMultichannel:
        return "Multichannel";
    case plugInModeDuotone:
        return "Duotone";
    case plugInModeLabColor:
        return "Lab";
    case plugInModeGray16:
        return "Grayscale 16-bit";
    case plugInModeRGB48:
        return "RGB 16-bit";
    case plugInModeLab48:
        return "Lab 16-bit";
    case plugInModeCMYK64:
        return "CMYK 16-bit";
    case plugInModeDeepMultichannel:
        return "Multichannel 16-bit";
    case plugInModeDuotone16:
        return "Duotone 16-bit";
    default:
        return "mode " + std::to_string(mode);
    }
}

} // namespace vendrel
