#include "FlatsLayer.h"

namespace vendrel::gimp {

void addFlatsLayer(gint32 lineArt, const HostImage& flats)
{
    const gint32 image = gimp_item_get_image(lineArt);
    gimp_image_undo_group_start(image);
    gint x = 0, y = 0;
    gimp_drawable_offsets(lineArt, &x, &y);
    const gint32 layer =
        gimp_layer_new(image, "Flats", flats.width, flats.height, flats.hasAlpha ? GIMP_RGBA_IMAGE : GIMP_RGB_IMAGE,
                       100.0, GIMP_LAYER_MODE_NORMAL);
    gimp_layer_set_offsets(layer, x, y);
    gimp_image_insert_layer(image, layer, gimp_item_get_parent(lineArt),
                            gimp_image_get_item_position(image, lineArt) + 1);
    GeglBuffer* buffer = gimp_drawable_get_buffer(layer);
    const GeglRectangle whole = {0, 0, flats.width, flats.height};
    gegl_buffer_set(buffer, &whole, 0, gimp_drawable_get_format(lineArt), flats.pixels.data(), GEGL_AUTO_ROWSTRIDE);
    gegl_buffer_flush(buffer);
    g_object_unref(buffer);
    if (!gimp_drawable_has_alpha(lineArt)) {
        gimp_layer_set_mode(lineArt, GIMP_LAYER_MODE_MULTIPLY);
    }
    gimp_image_set_active_layer(image, lineArt);
    gimp_image_undo_group_end(image);
}

} // namespace vendrel::gimp
