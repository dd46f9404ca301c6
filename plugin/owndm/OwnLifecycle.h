// Building dialogs from the module's dialog resource, running them modally on the platform's window, and tearing
// them down. The dialog manager owns every dialog; the plug-in only holds references.
#pragma once

#include "OwnModel.h"

namespace owndm {

// A non-modal dialog, initialised; null when its init callback failed (its items are destroyed then, and the
// dialog's destroy callback does not run, since the caller never received the dialog). No window shows it.
DialogModel* CreateModelessDialog(const char* name, int32 dialogID, int32 style, ADMDialogInitProc init,
                                  ADMUserData data);

// Builds and initialises a modal dialog, shows it until an item ends it, then sends it "ADM Deactivate Window
// Notifier", destroys its items, calls its destroy callback, frees it and returns the ending item's id (0 when
// its init callback failed and it was never shown).
int32 RunModalDialog(const char* name, int32 dialogID, int32 style, ADMDialogInitProc init, ADMUserData data);

// A new item of the dialog with the plug-in's user data, after its init callback ran; null when the dialog is
// gone or being torn down, the type or bounds are missing, or the init callback destroyed the item.
ADMItemRef CreateItem(ADMDialogRef dialog, int32 itemID, const char* type, const ADMRect* bounds, ADMItemInitProc init,
                      ADMUserData data);

// A modal dialog only ends here, with its cancel item (its modal run tears it down); any other is torn down:
// items, then the dialog's destroy callback. A request for a dialog already being destroyed does nothing.
void DestroyDialog(DialogModel& dialog);

} // namespace owndm
