#include "FlattingDialog.h"

#include <libgimp/gimp.h>
#include <libgimp/gimpui.h>

namespace vendrel::gimp {

namespace {

constexpr int kWidestGap = 255; // as the command's --close-gaps

GtkWidget* labelled(GtkWidget* box, const char* text, GtkWidget* widget)
{
    GtkWidget* row = gtk_hbox_new(FALSE, 6);
    gtk_box_pack_start(GTK_BOX(row), gtk_label_new(text), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(row), widget, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), row, FALSE, FALSE, 0);
    return widget;
}

} // namespace

bool askFlattingOptions(FlattingOptions& options)
{
    GtkWidget* dialog =
        gimp_dialog_new("Vendrel Flatting", "vendrel-flatting", nullptr, GTK_DIALOG_MODAL, nullptr, nullptr,
                        GTK_STOCK_CANCEL, GTK_RESPONSE_CANCEL, GTK_STOCK_OK, GTK_RESPONSE_OK, nullptr);
    GtkWidget* box = gtk_vbox_new(FALSE, 6);
    gtk_container_set_border_width(GTK_CONTAINER(box), 12);
    gtk_box_pack_start(GTK_BOX(gtk_dialog_get_content_area(GTK_DIALOG(dialog))), box, TRUE, TRUE, 0);
    GtkWidget* gap = labelled(
        box, "Close gaps in the lines up to (pixels, 0 for none):", gtk_spin_button_new_with_range(0, kWidestGap, 1));
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(gap), options.closeGaps);
    GtkWidget* flats = gtk_check_button_new_with_label("Flats: lines take the colour of the nearest area");
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(flats), options.flats);
    gtk_box_pack_start(GTK_BOX(box), flats, FALSE, FALSE, 0);
    gtk_widget_show_all(box);

    const bool confirmed = gimp_dialog_run(GIMP_DIALOG(dialog)) == GTK_RESPONSE_OK;
    if (confirmed) {
        options.closeGaps = gtk_spin_button_get_value_as_int(GTK_SPIN_BUTTON(gap));
        options.flats = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(flats));
    }
    gtk_widget_destroy(dialog);
    return confirmed;
}

} // namespace vendrel::gimp
