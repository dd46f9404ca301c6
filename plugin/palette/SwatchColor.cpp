#include "SwatchColor.h"

#include <istream>

#include "PIColorServices.h"

namespace {

constexpr size_t kRecordBytes = 10;

uint16 BigEndianWord(const unsigned char* bytes)
{
    return uint16((bytes[0] << 8) | bytes[1]);
}

} // namespace

int16 SwatchColor::HostColorSpace() const
{
    switch (colorSpace) {
    case kSwatchRGB:
        return plugIncolorServicesRGBSpace;
    case kSwatchHSB:
        return plugIncolorServicesHSBSpace;
    case kSwatchCMYK:
        return plugIncolorServicesCMYKSpace;
    case kSwatchLab:
        return plugIncolorServicesLabSpace;
    case kSwatchGray:
        return plugIncolorServicesGraySpace;
    default:
        return -1;
    }
}

std::istream& operator>>(std::istream& in, SwatchColor& color)
{
    unsigned char bytes[kRecordBytes];
    if (!in.read(reinterpret_cast<char*>(bytes), kRecordBytes))
        return in;
    color.colorSpace = BigEndianWord(bytes);
    for (int i = 0; i < 4; ++i)
        color.components[i] = BigEndianWord(bytes + 2 + 2 * i);
    return in;
}
