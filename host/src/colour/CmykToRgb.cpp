#include "CmykToRgb.h"

#include <lcms2.h>

#include <memory>

#include "CmykProfile.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

namespace {

struct ProfileCloser {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
struct TransformDeleter {
    void operator()(void* transform) const { cmsDeleteTransform(transform); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;
using Transform = std::unique_ptr<void, TransformDeleter>;

Profile inkProfile(const HostImage& image)
{
    if (!image.iccProfile.empty()) {
        Profile own(cmsOpenProfileFromMem(image.iccProfile.data(), cmsUInt32Number(image.iccProfile.size())));
        if (own && cmsGetColorSpace(own.get()) == cmsSigCmykData) {
            return own;
        }
    }
    return Profile(cmsOpenProfileFromFile(cmykProfilePath().c_str(), "r"));
}

} // namespace

HostImage cmykToRgb(const HostImage& cmyk)
{
    const bool alpha = cmyk.hasAlpha;
    Profile from = inkProfile(cmyk);
    Profile to(cmsCreate_sRGBProfile());
    // The host's CMYK bytes say 255 for no ink: the reversed flavour of LittleCMS's CMYK.
    const cmsUInt32Number input = alpha ? (TYPE_CMYK_8_REV | EXTRA_SH(1)) : TYPE_CMYK_8_REV;
    const cmsUInt32Number output = alpha ? TYPE_RGBA_8 : TYPE_RGB_8;
    Transform transform(from && to ? cmsCreateTransform(from.get(), input, to.get(), output,
                                                        INTENT_RELATIVE_COLORIMETRIC, cmsFLAGS_COPY_ALPHA)
                                   : nullptr);
    if (!transform) {
        throw HostError("cannot convert the CMYK image to RGB: no colour transform for its profile");
    }
    HostImage rgb = HostImage::blank(cmyk.width, cmyk.height, plugInModeRGBColor, alpha);
    rgb.xResolution = cmyk.xResolution;
    rgb.yResolution = cmyk.yResolution;
    for (int32_t y = 0; y < cmyk.height; ++y) {
        cmsDoTransform(transform.get(), cmyk.pixel(0, y), rgb.pixel(0, y), cmsUInt32Number(cmyk.width));
    }
    return rgb;
}

} // namespace vendrel
