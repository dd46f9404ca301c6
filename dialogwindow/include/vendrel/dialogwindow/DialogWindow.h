// A dialog of the host's dialog manager shown as a GTK 2 window: one widget per item at the item's pixel
// rectangle, each user action passed to the dialog manager, every widget refreshed from the items after it.
// The GIMP plug-in and the command's dialog window library both show the filter's dialogs with it.
#pragma once

#include <cstdint>

#include <gtk/gtk.h>

namespace vendrel {
class AdmDialog;
struct RgbRaster;
} // namespace vendrel

namespace vendrel::dialogwindow {

// What the program showing the window adds to it; each may be left null.
struct WindowHooks {
    // Called once the window is built, before it shows (GIMP makes it transient for the image window).
    void (*placeWindow)(GtkWindow* window) = nullptr;
    // Asked a few times a second while the window is open: true closes it as Cancel (an interrupted command).
    bool (*cancelRequested)() = nullptr;
};

// Shows the dialog modally until one of its items ends it; returns the ending item's id (closing the window
// counts as Cancel). `picture` is the dialog as the host draws it: the picture buttons show their part of it.
// Keyboard focus starts in the first entry field, else on the default button, so that Enter means OK.
int32_t runDialogWindow(AdmDialog& dialog, const RgbRaster& picture, const WindowHooks& hooks = {});

} // namespace vendrel::dialogwindow
