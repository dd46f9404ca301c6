// Colour conversion among the colour services' spaces. RGB (sRGB), CMYK (the caller's CMYK ICC profile), Lab (D50)
// and gray (sRGB tone curve) go through LittleCMS; HSB is computed from RGB.
#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>

#include "HsbColor.h"
#include "vendrel/colour/ColorConversion.h"

namespace vendrel {

namespace {

using Values = std::array<double, 4>; // the colour in LittleCMS's floating-point units for its space

bool isConvertible(int16_t space)
{
    return space >= plugIncolorServicesRGBSpace && space <= plugIncolorServicesGraySpace;
}

int16_t clampComponent(int16_t value, int16_t high)
{
    return std::clamp<int16_t>(value, 0, high);
}

// Components outside the space's range are pinned to its ends; unused components become 0.
HostColor clampToSpace(int16_t space, const HostColor& color)
{
    HostColor out{};
    switch (space) {
    case plugIncolorServicesHSBSpace:
        out = {clampComponent(color[0], 360), clampComponent(color[1], 255), clampComponent(color[2], 255), 0};
        break;
    case plugIncolorServicesCMYKSpace:
        for (size_t i = 0; i < 4; ++i)
            out[i] = clampComponent(color[i], 255);
        break;
    case plugIncolorServicesGraySpace:
        out = {clampComponent(color[0], 255), 0, 0, 0};
        break;
    default:
        out = {clampComponent(color[0], 255), clampComponent(color[1], 255), clampComponent(color[2], 255), 0};
        break;
    }
    return out;
}

Values encode(int16_t space, const HostColor& color)
{
    switch (space) {
    case plugIncolorServicesCMYKSpace: {
        Values ink{};
        for (size_t i = 0; i < 4; ++i)
            ink[i] = (255.0 - color[i]) * 100.0 / 255.0;
        return ink;
    }
    case plugIncolorServicesLabSpace:
        return {color[0] * 100.0 / 255.0, color[1] - 128.0, color[2] - 128.0, 0};
    case plugIncolorServicesGraySpace:
        return {color[0] / 255.0, 0, 0, 0};
    default:
        return {color[0] / 255.0, color[1] / 255.0, color[2] / 255.0, 0};
    }
}

int16_t toByte(double value)
{
    return int16_t(std::clamp<long>(std::lround(value), 0, 255));
}

HostColor decode(int16_t space, const Values& values)
{
    switch (space) {
    case plugIncolorServicesCMYKSpace: {
        HostColor out{};
        for (size_t i = 0; i < 4; ++i)
            out[i] = toByte(255.0 - values[i] * 2.55);
        return out;
    }
    case plugIncolorServicesLabSpace:
        return {toByte(values[0] * 255.0 / 100.0), toByte(values[1] + 128.0), toByte(values[2] + 128.0), 0};
    case plugIncolorServicesGraySpace:
        return {toByte(values[0] * 255.0), 0, 0, 0};
    default:
        return {toByte(values[0] * 255.0), toByte(values[1] * 255.0), toByte(values[2] * 255.0), 0};
    }
}

Values rgbFromHsb(const HostColor& hsb)
{
    const std::array<double, 3> rgb = hsbToRgb({double(hsb[0]), double(hsb[1]), double(hsb[2])});
    return {rgb[0], rgb[1], rgb[2], 0};
}

HostColor hsbFromRgb(const Values& rgb)
{
    const std::array<double, 3> hsb =
        rgbToHsb({std::clamp(rgb[0], 0.0, 1.0), std::clamp(rgb[1], 0.0, 1.0), std::clamp(rgb[2], 0.0, 1.0)});
    return {int16_t(std::lround(hsb[0]) % 360), toByte(hsb[1]), toByte(hsb[2]), 0};
}

cmsHPROFILE createSrgbGrayProfile()
{
    const cmsFloat64Number srgbCurve[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, srgbCurve);
    if (!curve)
        return nullptr;
    cmsHPROFILE profile = cmsCreateGrayProfile(cmsD50_xyY(), curve);
    cmsFreeToneCurve(curve);
    return profile;
}

// Profiles and transforms are made on first use and kept for the life of the process, for one CMYK profile.
class TransformCache {
public:
    ~TransformCache()
    {
        for (auto& [spaces, transform] : transforms_)
            if (transform)
                cmsDeleteTransform(transform);
        for (cmsHPROFILE profile : profiles_)
            if (profile)
                cmsCloseProfile(profile);
    }

    explicit TransformCache(std::string cmykProfile) : cmykProfile_(std::move(cmykProfile)) {}
    TransformCache(const TransformCache&) = delete;
    TransformCache& operator=(const TransformCache&) = delete;

    cmsHTRANSFORM get(int16_t source, int16_t result)
    {
        const auto found = transforms_.find({source, result});
        if (found != transforms_.end())
            return found->second;
        cmsHPROFILE from = profile(source);
        cmsHPROFILE to = profile(result);
        cmsHTRANSFORM transform = nullptr;
        if (from && to)
            transform = cmsCreateTransform(from, format(source), to, format(result), INTENT_RELATIVE_COLORIMETRIC,
                                           cmsFLAGS_BLACKPOINTCOMPENSATION | cmsFLAGS_NOCACHE);
        transforms_[{source, result}] = transform;
        return transform;
    }

private:
    static cmsUInt32Number format(int16_t space)
    {
        switch (space) {
        case plugIncolorServicesCMYKSpace:
            return TYPE_CMYK_DBL;
        case plugIncolorServicesLabSpace:
            return TYPE_Lab_DBL;
        case plugIncolorServicesGraySpace:
            return TYPE_GRAY_DBL;
        default:
            return TYPE_RGB_DBL;
        }
    }

    cmsHPROFILE profile(int16_t space)
    {
        cmsHPROFILE& slot = profiles_[size_t(space)];
        if (!slot && !tried_[size_t(space)]) {
            tried_[size_t(space)] = true;
            switch (space) {
            case plugIncolorServicesCMYKSpace:
                slot = cmsOpenProfileFromFile(cmykProfile_.c_str(), "r");
                break;
            case plugIncolorServicesLabSpace:
                slot = cmsCreateLab4Profile(nullptr);
                break;
            case plugIncolorServicesGraySpace:
                slot = createSrgbGrayProfile();
                break;
            default:
                slot = cmsCreate_sRGBProfile();
                break;
            }
        }
        return slot;
    }

    std::string cmykProfile_;
    std::array<cmsHPROFILE, 5> profiles_{};
    std::array<bool, 5> tried_{};
    std::map<std::pair<int16_t, int16_t>, cmsHTRANSFORM> transforms_;
};

// One cache per CMYK profile; the caller holds the lock.
TransformCache& transforms(const std::string& cmykProfile)
{
    static std::map<std::string, std::unique_ptr<TransformCache>> caches;
    std::unique_ptr<TransformCache>& cache = caches[cmykProfile];
    if (!cache)
        cache = std::make_unique<TransformCache>(cmykProfile);
    return *cache;
}

cmsHTRANSFORM transformFor(int16_t source, int16_t result, const std::string& cmykProfile)
{
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    return transforms(cmykProfile).get(source, result);
}

} // namespace

OSErr convertColor(int16_t sourceSpace, int16_t resultSpace, HostColor& color, const std::string& cmykProfile)
{
    if (!isConvertible(sourceSpace) || !isConvertible(resultSpace))
        return paramErr;
    if (sourceSpace == resultSpace)
        return noErr;
    const HostColor input = clampToSpace(sourceSpace, color);
    // HSB travels as RGB through the colour-managed part.
    const int16_t managedSource =
        sourceSpace == plugIncolorServicesHSBSpace ? int16_t(plugIncolorServicesRGBSpace) : sourceSpace;
    const int16_t managedResult =
        resultSpace == plugIncolorServicesHSBSpace ? int16_t(plugIncolorServicesRGBSpace) : resultSpace;
    Values values = sourceSpace == plugIncolorServicesHSBSpace ? rgbFromHsb(input) : encode(sourceSpace, input);
    if (managedSource != managedResult) {
        cmsHTRANSFORM transform = transformFor(managedSource, managedResult, cmykProfile);
        if (!transform)
            return errPlugInHostInsufficient;
        Values converted{};
        cmsDoTransform(transform, values.data(), converted.data(), 1);
        values = converted;
    }
    color = resultSpace == plugIncolorServicesHSBSpace ? hsbFromRgb(values) : decode(resultSpace, values);
    return noErr;
}

} // namespace vendrel
