// A dialog of the host's dialog manager shown as a GTK 2 window: one widget per item at the item's pixel
// rectangle, each user action passed to the dialog manager, every widget refreshed from the items after it.
#pragma once

#include <cstdint>

namespace vendrel {
class AdmDialog;
}

namespace vendrel::gimp {

// Shows the dialog modally until one of its items ends it; returns the ending item's id (closing the window
// counts as Cancel).
int32_t runDialogWindow(AdmDialog& dialog);

} // namespace vendrel::gimp
