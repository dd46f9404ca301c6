#include "ColorPicker.h"

#include <libgimp/gimp.h>
#include <libgimp/gimpui.h>

namespace vendrel::gimp {

std::optional<std::array<uint8_t, 3>> pickColorWithGimp(std::array<uint8_t, 3> start)
{
    GtkWidget* dialog = gimp_dialog_new("Pick a Color", "vendrel-color", nullptr, GTK_DIALOG_MODAL, nullptr, nullptr,
                                        GTK_STOCK_CANCEL, GTK_RESPONSE_CANCEL, GTK_STOCK_OK, GTK_RESPONSE_OK, nullptr);
    GtkWidget* selection = gimp_color_selection_new();
    gimp_color_selection_set_show_alpha(GIMP_COLOR_SELECTION(selection), FALSE);
    GimpRGB color;
    gimp_rgba_set_uchar(&color, start[0], start[1], start[2], 255);
    gimp_color_selection_set_color(GIMP_COLOR_SELECTION(selection), &color);
    gimp_color_selection_set_old_color(GIMP_COLOR_SELECTION(selection), &color);
    gtk_container_set_border_width(GTK_CONTAINER(selection), 12);
    gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), selection, TRUE, TRUE, 0);
    gtk_widget_show(selection);

    std::optional<std::array<uint8_t, 3>> chosen;
    if (gimp_dialog_run(GIMP_DIALOG(dialog)) == GTK_RESPONSE_OK) {
        gimp_color_selection_get_color(GIMP_COLOR_SELECTION(selection), &color);
        guchar red = 0, green = 0, blue = 0;
        gimp_rgb_get_uchar(&color, &red, &green, &blue);
        chosen = std::array<uint8_t, 3>{red, green, blue};
    }
    gtk_widget_destroy(dialog);
    return chosen;
}

} // namespace vendrel::gimp
