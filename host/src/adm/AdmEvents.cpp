#include "AdmEvents.h"

#include "AdmLiveObjects.h"

namespace vendrel::adm {

NotifierModel::NotifierModel(DialogModel& owner, ItemModel* sender, std::string notifierType)
    : dialog(&owner), item(sender), type(std::move(notifierType))
{
}

NotifierModel* NotifierModel::fromRef(ADMNotifierRef ref)
{
    return liveModel<NotifierModel>(ref, Kind::notifier);
}

TrackerModel* TrackerModel::fromRef(ADMTrackerRef ref)
{
    return liveModel<TrackerModel>(ref, Kind::tracker);
}

namespace {

// The item whose notification is being handled on this thread, if any.
thread_local ItemModel* notifyingItem = nullptr;

class NotifyingItem {
public:
    explicit NotifyingItem(ItemModel& item) : former_(notifyingItem) { notifyingItem = &item; }
    ~NotifyingItem() { notifyingItem = former_; }
    NotifyingItem(const NotifyingItem&) = delete;
    NotifyingItem& operator=(const NotifyingItem&) = delete;

private:
    ItemModel* former_;
};

} // namespace

void notifyFromItem(ItemModel& item, const char* type)
{
    NotifierModel notifier(item.dialog, &item, type);
    ScopedLive live(&notifier, Kind::notifier);
    const NotifyingItem notifying(item);
    if (item.procs.notify)
        item.procs.notify(item.ref(), notifier.ref());
    else
        defaultItemNotify(item, notifier);
}

void notifyDialog(DialogModel& dialog, const char* type)
{
    NotifierModel notifier(dialog, nullptr, type);
    ScopedLive live(&notifier, Kind::notifier);
    if (dialog.procs.notify)
        dialog.procs.notify(dialog.ref(), notifier.ref());
    else
        defaultDialogNotify(dialog, notifier);
}

void defaultItemNotify(ItemModel& item, NotifierModel& notifier)
{
    DialogModel& dialog = item.dialog;
    if (dialog.procs.notify)
        dialog.procs.notify(dialog.ref(), notifier.ref());
    else
        defaultDialogNotify(dialog, notifier);
}

void defaultDialogNotify(DialogModel& dialog, NotifierModel& notifier)
{
    if (!dialog.modal || notifier.type != kADMUserChangedNotifier || !isLive(notifier.item, Kind::item))
        return;
    const int32_t sender = notifier.item->itemId;
    if (sender == dialog.defaultId || sender == dialog.cancelId)
        dialog.end(sender);
}

bool trackItem(ItemModel& item, int32_t action)
{
    if (!item.procs.track)
        return false;
    const ADMPoint centre{item.rect.width() / 2, item.rect.height() / 2};
    TrackerModel tracker(action, centre);
    ScopedLive live(&tracker, Kind::tracker);
    return item.procs.track(item.ref(), tracker.ref()) != 0;
}

} // namespace vendrel::adm

namespace vendrel {

std::optional<std::array<uint8_t, 3>> colourShownByNotifyingItem()
{
    adm::ItemModel* item = adm::notifyingItem;
    if (item == nullptr) {
        return std::nullopt;
    }
    const std::vector<AdmDrawOp> drawn = item->dialog.recordDrawing(*item);
    for (auto op = drawn.rbegin(); op != drawn.rend(); ++op) {
        if (op->kind == AdmDrawOp::Kind::fill) {
            return std::array<uint8_t, 3>{op->red, op->green, op->blue};
        }
    }
    return std::nullopt;
}

} // namespace vendrel
