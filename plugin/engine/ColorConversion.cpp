// Colour conversion and the colour picker through the host's colour services: the engine never converts
// colours itself, it asks for them in the image's own colour space and takes the low byte of each answer.
#include <cstring>

#include "CVendrel.h"
#include "SwatchColor.h"

namespace {

constexpr int16 kHueDivisor = 182;      // swatch hue 0 to 65535 becomes 0 to 360 degrees
constexpr int16 kLightnessDivisor = 39; // swatch lightness and gray 0 to 10000 become 0 to 256
constexpr int16 kLabAxisDivisor = 100;  // swatch a and b are hundredths, stored signed
constexpr int16 kLabAxisOffset = 128;

ColorServicesInfo MakeRequest(int16 selector, int16 sourceSpace, int16 resultSpace)
{
    ColorServicesInfo info{};
    info.infoSize = kColorServicesInfoSize;
    info.selector = selector;
    info.sourceSpace = sourceSpace;
    info.resultSpace = resultSpace;
    info.reservedSourceSpaceInfo = nullptr;
    info.reservedResultSpaceInfo = nullptr;
    info.reserved = nullptr;
    info.selectorParameter.pickerPrompt = nullptr;
    return info;
}

// The host's components in its own ranges for a swatch colour of host space `space`.
void SwatchComponents(const SwatchColor& swatch, int16 space, int16 components[4])
{
    const uint16* c = swatch.components;
    switch (space) {
    case plugIncolorServicesHSBSpace:
        components[0] = int16(c[0] / kHueDivisor);
        components[1] = int16(c[1] >> 8);
        components[2] = int16(c[2] >> 8);
        components[3] = 0;
        break;
    case plugIncolorServicesCMYKSpace:
        for (int i = 0; i < 4; ++i)
            components[i] = int16(c[i] >> 8);
        break;
    case plugIncolorServicesLabSpace:
        components[0] = int16(c[0] / kLightnessDivisor);
        components[1] = int16(int16(c[1]) / kLabAxisDivisor + kLabAxisOffset);
        components[2] = int16(int16(c[2]) / kLabAxisDivisor + kLabAxisOffset);
        components[3] = 0;
        break;
    case plugIncolorServicesGraySpace:
        components[0] = int16(c[0] / kLightnessDivisor);
        components[1] = components[2] = components[3] = 0;
        break;
    default: // RGB
        components[0] = int16(c[0] >> 8);
        components[1] = int16(c[1] >> 8);
        components[2] = int16(c[2] >> 8);
        components[3] = 0;
        break;
    }
}

void CopyLowBytes(const int16 components[4], uint8 out[4])
{
    for (int i = 0; i < 4; ++i)
        out[i] = uint8(components[i] & 0xFF);
}

} // namespace

int16 CVendrel::ImageColorSpace() const
{
    switch (filterRecord ? filterRecord->imageMode : int16(plugInModeRGBColor)) {
    case plugInModeGrayScale:
        return plugIncolorServicesGraySpace;
    case plugInModeCMYKColor:
        return plugIncolorServicesCMYKSpace;
    case plugInModeHSBColor:
        return plugIncolorServicesHSBSpace;
    case plugInModeLabColor:
        return plugIncolorServicesLabSpace;
    default:
        return plugIncolorServicesRGBSpace;
    }
}

bool CVendrel::ConvertRGB(const uint16 color[3], uint8 out[4])
{
    if (!filterRecord || !filterRecord->colorServices)
        return false;
    ColorServicesInfo info =
        MakeRequest(plugIncolorServicesConvertColor, plugIncolorServicesRGBSpace, ImageColorSpace());
    for (int i = 0; i < 3; ++i)
        info.colorComponents[i] = int16(color[i] >> 8);
    info.colorComponents[3] = 0;
    if (AskColorServices(info) != noErr)
        return false;
    CopyLowBytes(info.colorComponents, out);
    return true;
}

bool CVendrel::ConvertSwatchColor(const SwatchColor& swatch, uint8 out[4])
{
    const int16 space = swatch.HostColorSpace();
    if (space < 0 || !filterRecord || !filterRecord->colorServices)
        return false;
    ColorServicesInfo info = MakeRequest(plugIncolorServicesConvertColor, space, ImageColorSpace());
    SwatchComponents(swatch, space, info.colorComponents);
    if (AskColorServices(info) != noErr)
        return false;
    CopyLowBytes(info.colorComponents, out);
    return true;
}

OSErr CVendrel::AskColorServices(ColorServicesInfo& info)
{
    OSErr result = noErr;
    if (conversions.Answer(info, result))
        return result;
    int16 asked[4];
    std::memcpy(asked, info.colorComponents, sizeof asked);
    result = filterRecord->colorServices(&info);
    conversions.Record(asked, info, result);
    return result;
}

bool CVendrel::PickColor(uint8 color[4], bool inRGB)
{
    if (!filterRecord || !filterRecord->colorServices)
        return false;
    const int16 resultSpace = inRGB ? int16(plugIncolorServicesRGBSpace) : ImageColorSpace();
    ColorServicesInfo info = MakeRequest(plugIncolorServicesChooseColor, plugIncolorServicesRGBSpace, resultSpace);
    for (int i = 0; i < 4; ++i)
        info.colorComponents[i] = int16(color[i]);
    if (filterRecord->colorServices(&info) != noErr)
        return false;
    CopyLowBytes(info.colorComponents, color);
    return true;
}
