// Notifications and tracking: how a user's action reaches the plug-in's callbacks, and the defaults that run
// when the plug-in installs none or passes an event on.
#pragma once

#include <string>

#include "OwnModel.h"

namespace owndm {

// One notification on its way: the item that sent it (null for the dialog's own) and its type.
class NotifierModel {
public:
    NotifierModel(DialogModel& dialog, ItemModel* item, std::string type);
    ADMNotifierRef Ref() { return reinterpret_cast<ADMNotifierRef>(this); }
    static NotifierModel* FromRef(ADMNotifierRef ref);

    DialogModel* dialog; // either may be gone by the time a callback asks; check before use
    ItemModel* item;
    std::string type;
};

class TrackerModel {
public:
    TrackerModel(int32 action, ADMPoint point) : action(action), point(point) {}
    ADMTrackerRef Ref() { return reinterpret_cast<ADMTrackerRef>(this); }
    static TrackerModel* FromRef(ADMTrackerRef ref);

    int32 action;
    ADMPoint point;
};

// Sends a notification from an item: to its notify callback, or by default on to its dialog.
void NotifyFromItem(ItemModel& item, const char* type);
// Sends the dialog a notification of its own (no item), to its notify callback or the default.
void NotifyDialog(DialogModel& dialog, const char* type);

// The item default passes the notification on to the dialog's notify callback (or the dialog default).
void DefaultItemNotify(ItemModel& item, NotifierModel& notifier);
// The dialog default ends a modal dialog when its default or cancel item reports a user change.
void DefaultDialogNotify(DialogModel& dialog, NotifierModel& notifier);

// One tracker action at point (in the item's own coordinates): the item's track callback's answer, or the
// default (false).
bool TrackItem(ItemModel& item, int32 action, ADMPoint point);

} // namespace owndm
