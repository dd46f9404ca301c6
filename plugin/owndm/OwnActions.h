// The user's actions on a dialog in the model's terms: each changes the item as a click or a keystroke does and
// sends the notifications the plug-in listens for. The window that shows the dialog turns its input into these.
// Nothing happens for an item that is disabled or a dialog that has ended.
#pragma once

#include <string>

#include "OwnModel.h"

namespace owndm {

// A click on a check box (turns it over), a radio button (turns it on) or a push button; the user-changed
// notification follows.
void ClickItem(ItemModel& item);

// OK, Cancel, Enter, Escape or the window's close box: a click on the dialog's item of that id, or, for a dialog
// without such an item, its end with that id.
void PressDialogItem(DialogModel& dialog, int32 itemID);

// The user chose entry index of a popup.
void ChooseEntry(ItemModel& popup, int32 index);

// The user confirmed the text of an entry field: its number, rounded and held to the limits, becomes the value
// and the user-changed notification follows. Text that is no number leaves the value as it was. The field
// shows its value again either way.
void EnterFieldText(ItemModel& field, const std::string& text);

// A mouse action (kADMButtonDownAction, ...) at point over a user item, given to its track callback when the
// item's action mask asks for that action; true when the callback says the item changed.
bool TrackMouse(ItemModel& item, int32 action, ADMPoint point);

// The end of a click on a user item: the user-changed notification when its tracking said it changed.
void FinishClick(ItemModel& item, bool changed);

} // namespace owndm
