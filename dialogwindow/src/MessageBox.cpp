#include "MessageBox.h"

#include <gtk/gtk.h>

namespace vendrel::dialogwindow {

void showMessageBox(const std::string& message)
{
    GtkWidget* box =
        gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_INFO, GTK_BUTTONS_OK, "%s", message.c_str());
    gtk_window_set_title(GTK_WINDOW(box), "Vendrel");
    gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER);
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    gdk_flush();
}

void openWebAddress(const std::string& url)
{
    GError* error = nullptr;
    if (!gtk_show_uri(nullptr, url.c_str(), GDK_CURRENT_TIME, &error)) {
        showMessageBox("Cannot open " + url + ": " + (error != nullptr ? error->message : "no browser"));
        g_clear_error(&error);
    }
}

} // namespace vendrel::dialogwindow
