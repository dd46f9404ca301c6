// Building dialogs from the module's dialog resource, running them modally through the front end, and
// tearing them down. The dialog manager owns every dialog; the plug-in only holds references.
#pragma once

#include <string>

#include "ADMTypes.h"
#include "AdmModel.h"

namespace vendrel::adm {

// A non-modal dialog, initialised; null when its init callback failed (its items are destroyed then, and
// the dialog's destroy callback does not run, since the caller never received the dialog).
DialogModel* createDialog(const char* name, int32_t dialogId, int32_t style, ADMDialogInitProc init,
                          ADMUserData userData);

// Builds and initialises a modal dialog, hands it to the front end, then sends it "ADM Deactivate Window
// Notifier", destroys its items, calls its destroy callback, frees it and returns the ending item's id
// (0 when its init callback failed and it was never shown).
int32_t runModalDialog(const char* name, int32_t dialogId, int32_t style, ADMDialogInitProc init, ADMUserData userData);

// A new item of the dialog with the plug-in's user data, after its init callback ran; null when the
// dialog is being torn down or the init callback destroyed the item.
ItemModel* createItem(DialogModel& dialog, int32_t itemId, const char* type, const ADMRect& bounds,
                      ADMItemInitProc init, ADMUserData userData);

// The same for a plug-in's dialog reference: null when the dialog is gone or the type or bounds are missing.
ADMItemRef createItem(ADMDialogRef dialog, int32_t itemId, const char* type, const ADMRect* bounds,
                      ADMItemInitProc init, ADMUserData userData);

// A modal dialog only ends here (its modal run tears it down); any other is torn down: items, then the
// dialog's destroy callback. A request for a dialog already being destroyed does nothing.
void destroyDialog(DialogModel& dialog);

} // namespace vendrel::adm
