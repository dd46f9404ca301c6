// Colour conversion and the colour picker through the host's colour services: the engine asks for every colour
// in the image's own colour space and takes the low byte of each answer. Only when the host cannot convert into
// RGB or gray does the module convert on its own, as its own host would; and when the host has no picker that
// works, the system's colour chooser stands in.
#include <cstring>

#include "CVendrel.h"
#include "HostSuites.h"
#include "OwnCmykProfile.h"
#include "OwnDialogManager.h"
#include "SwatchColor.h"
#include "vendrel/colour/ColorConversion.h"

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

// The module's own conversion of a request its host refused: only into RGB or gray, the spaces whose images the
// module can fill without the host's colour management.
bool ConvertOnOwn(ColorServicesInfo& info, const int16 asked[4])
{
    if (info.selector != plugIncolorServicesConvertColor ||
        (info.resultSpace != plugIncolorServicesRGBSpace && info.resultSpace != plugIncolorServicesGraySpace))
        return false;
    vendrel::HostColor color{asked[0], asked[1], asked[2], asked[3]};
    if (vendrel::convertColor(info.sourceSpace, info.resultSpace, color, OwnCmykProfilePath()) != noErr)
        return false;
    std::memcpy(info.colorComponents, color.data(), sizeof info.colorComponents);
    return true;
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
    if (!filterRecord)
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
    if (space < 0 || !filterRecord)
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
    // A missing callback is never called; a host that says it cannot convert leaves it to the module where it can.
    // Any other refusal stands.
    result = filterRecord->colorServices ? filterRecord->colorServices(&info) : OSErr(errPlugInHostInsufficient);
    if (result == errPlugInHostInsufficient && ConvertOnOwn(info, asked))
        result = noErr;
    conversions.Record(asked, info, result);
    return result;
}

bool CVendrel::HostPickerWorks()
{
    if (!filterRecord || !filterRecord->colorServices)
        return false;
    // A host with a basic suite is a full host: its picker is the one its users know.
    if (sSPBasic)
        return true;
    // Engines without one pass the picker on to whatever their program wired up, often nothing. One whose colour
    // services cannot even convert RGB into RGB is taken to have no picker of its own.
    ColorServicesInfo probe =
        MakeRequest(plugIncolorServicesConvertColor, plugIncolorServicesRGBSpace, plugIncolorServicesRGBSpace);
    return filterRecord->colorServices(&probe) == noErr;
}

bool CVendrel::PickColor(uint8 color[4], bool inRGB)
{
    if (!HostPickerWorks())
        return (inRGB || ImageColorSpace() == plugIncolorServicesRGBSpace) && PickSystemColor(color);
    const int16 resultSpace = inRGB ? int16(plugIncolorServicesRGBSpace) : ImageColorSpace();
    ColorServicesInfo info = MakeRequest(plugIncolorServicesChooseColor, plugIncolorServicesRGBSpace, resultSpace);
    for (int i = 0; i < 4; ++i)
        info.colorComponents[i] = int16(color[i]);
    if (filterRecord->colorServices(&info) != noErr)
        return false;
    CopyLowBytes(info.colorComponents, color);
    return true;
}
