#include "OwnEvents.h"

#include "OwnLiveObjects.h"

namespace owndm {

NotifierModel::NotifierModel(DialogModel& owner, ItemModel* sender, std::string notifierType)
    : dialog(&owner), item(sender), type(std::move(notifierType))
{
}

NotifierModel* NotifierModel::FromRef(ADMNotifierRef ref)
{
    return LiveObject<NotifierModel>(ref, Kind::notifier);
}

TrackerModel* TrackerModel::FromRef(ADMTrackerRef ref)
{
    return LiveObject<TrackerModel>(ref, Kind::tracker);
}

void NotifyFromItem(ItemModel& item, const char* type)
{
    NotifierModel notifier(item.dialog, &item, type);
    ScopedLive live(&notifier, Kind::notifier);
    if (item.procs.notify)
        item.procs.notify(item.Ref(), notifier.Ref());
    else
        DefaultItemNotify(item, notifier);
}

void NotifyDialog(DialogModel& dialog, const char* type)
{
    NotifierModel notifier(dialog, nullptr, type);
    ScopedLive live(&notifier, Kind::notifier);
    if (dialog.procs.notify)
        dialog.procs.notify(dialog.Ref(), notifier.Ref());
    else
        DefaultDialogNotify(dialog, notifier);
}

void DefaultItemNotify(ItemModel& item, NotifierModel& notifier)
{
    DialogModel& dialog = item.dialog;
    if (dialog.procs.notify)
        dialog.procs.notify(dialog.Ref(), notifier.Ref());
    else
        DefaultDialogNotify(dialog, notifier);
}

void DefaultDialogNotify(DialogModel& dialog, NotifierModel& notifier)
{
    if (!dialog.modal || notifier.type != kADMUserChangedNotifier || !IsLive(notifier.item, Kind::item))
        return;
    const int32 sender = notifier.item->id;
    if (sender == dialog.defaultID || sender == dialog.cancelID)
        dialog.End(sender);
}

bool TrackItem(ItemModel& item, int32 action, ADMPoint point)
{
    if (!item.procs.track)
        return false;
    TrackerModel tracker(action, point);
    ScopedLive live(&tracker, Kind::tracker);
    return item.procs.track(item.Ref(), tracker.Ref()) != 0;
}

} // namespace owndm
