#include "DrawablePixels.h"

#include <gegl.h>

namespace vendrel::gimp {

namespace {

GeglRectangle wholeDrawable(gint32 drawable)
{
    return GeglRectangle{0, 0, gimp_drawable_width(drawable), gimp_drawable_height(drawable)};
}

} // namespace

std::string drawableProblem(gint32 drawable)
{
    if (!gimp_drawable_is_rgb(drawable)) {
        return "Vendrel works on RGB layers only: choose Image > Mode > RGB, then run it again.";
    }
    gint32 image = gimp_item_get_image(drawable);
    if (gimp_image_get_precision(image) != GIMP_PRECISION_U8_GAMMA) {
        return "Vendrel works on 8-bit images only: choose Image > Precision > 8 bit integer and "
               "Perceptual gamma (sRGB), then run it again.";
    }
    return {};
}

HostImage readDrawable(gint32 drawable)
{
    const GeglRectangle rect = wholeDrawable(drawable);
    HostImage image = HostImage::blank(rect.width, rect.height, plugInModeRGBColor, gimp_drawable_has_alpha(drawable));
    GeglBuffer* buffer = gimp_drawable_get_buffer(drawable);
    gegl_buffer_get(buffer, &rect, 1.0, gimp_drawable_get_format(drawable), image.pixels.data(), GEGL_AUTO_ROWSTRIDE,
                    GEGL_ABYSS_NONE);
    g_object_unref(buffer);
    return image;
}

void writeDrawable(gint32 drawable, const HostImage& image)
{
    const GeglRectangle rect = wholeDrawable(drawable);
    GeglBuffer* shadow = gimp_drawable_get_shadow_buffer(drawable);
    gegl_buffer_set(shadow, &rect, 0, gimp_drawable_get_format(drawable), image.pixels.data(), GEGL_AUTO_ROWSTRIDE);
    gegl_buffer_flush(shadow);
    g_object_unref(shadow);
    gimp_drawable_merge_shadow(drawable, TRUE);
    gimp_drawable_update(drawable, rect.x, rect.y, rect.width, rect.height);
}

} // namespace vendrel::gimp
