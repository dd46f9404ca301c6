#include "HsbColor.h"

#include <algorithm>
#include <cmath>

namespace vendrel {

std::array<double, 3> hsbToRgb(const std::array<double, 3>& hsb)
{
    const double hue = std::fmod(hsb[0], 360.0) / 60.0;
    const double saturation = hsb[1] / 255.0;
    const double brightness = hsb[2] / 255.0;
    const double chroma = brightness * saturation;
    const double second = chroma * (1.0 - std::fabs(std::fmod(hue, 2.0) - 1.0));
    const double low = brightness - chroma;
    std::array<double, 3> rgb{};
    switch (int(hue)) {
    case 0:
        rgb = {chroma, second, 0};
        break;
    case 1:
        rgb = {second, chroma, 0};
        break;
    case 2:
        rgb = {0, chroma, second};
        break;
    case 3:
        rgb = {0, second, chroma};
        break;
    case 4:
        rgb = {second, 0, chroma};
        break;
    default:
        rgb = {chroma, 0, second};
        break;
    }
    for (double& channel : rgb)
        channel += low;
    return rgb;
}

std::array<double, 3> rgbToHsb(const std::array<double, 3>& rgb)
{
    const double high = std::max({rgb[0], rgb[1], rgb[2]});
    const double low = std::min({rgb[0], rgb[1], rgb[2]});
    const double chroma = high - low;
    double hue = 0;
    if (chroma > 0) {
        if (high == rgb[0])
            hue = std::fmod((rgb[1] - rgb[2]) / chroma + 6.0, 6.0);
        else if (high == rgb[1])
            hue = (rgb[2] - rgb[0]) / chroma + 2.0;
        else
            hue = (rgb[0] - rgb[1]) / chroma + 4.0;
    }
    const double saturation = high > 0 ? chroma / high : 0;
    return {hue * 60.0, saturation * 255.0, high * 255.0};
}

} // namespace vendrel
