#include "ColorSelection.h"

#include <gtk/gtk.h>

namespace vendrel::dialogwindow {

namespace {

// GDK colours hold 16 bits a channel: v * 257 is 8-bit v exactly, and back again rounded.
guint16 wide(uint8_t value)
{
    return guint16(value * 257);
}

uint8_t narrow(guint16 value)
{
    return uint8_t((value + 128) / 257);
}

} // namespace

std::optional<std::array<uint8_t, 3>> pickColorWithGtk(std::array<uint8_t, 3> start)
{
    GtkWidget* dialog = gtk_color_selection_dialog_new("Pick a Color");
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_OK);
    GtkColorSelection* selection =
        GTK_COLOR_SELECTION(gtk_color_selection_dialog_get_color_selection(GTK_COLOR_SELECTION_DIALOG(dialog)));
    GdkColor color{0, wide(start[0]), wide(start[1]), wide(start[2])};
    gtk_color_selection_set_has_opacity_control(selection, FALSE);
    gtk_color_selection_set_current_color(selection, &color);
    gtk_color_selection_set_previous_color(selection, &color);

    std::optional<std::array<uint8_t, 3>> chosen;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_OK) {
        gtk_color_selection_get_current_color(selection, &color);
        chosen = std::array<uint8_t, 3>{narrow(color.red), narrow(color.green), narrow(color.blue)};
    }
    gtk_widget_destroy(dialog);
    gdk_flush();
    return chosen;
}

} // namespace vendrel::dialogwindow
