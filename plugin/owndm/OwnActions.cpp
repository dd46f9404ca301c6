#include "OwnActions.h"

#include "OwnEvents.h"
#include "OwnLiveObjects.h"
#include "vendrel/dialogtext/EntryText.h"

namespace owndm {

namespace {

bool Accepts(const ItemModel& item)
{
    return item.enabled && !item.destroying && !item.dialog.hasEnded;
}

int32 MaskFor(int32 action)
{
    switch (action) {
    case kADMButtonDownAction:
        return kADMButtonDownMask;
    case kADMButtonUpAction:
        return kADMButtonUpMask;
    case kADMMouseMovedDownAction:
    case kADMMouseMovedUpAction:
        return kADMMouseMoveMask;
    default:
        return 0;
    }
}

} // namespace

void ClickItem(ItemModel& item)
{
    if (!Accepts(item))
        return;
    switch (item.kind) {
    case ItemKind::checkBox:
        item.SetBooleanValue(!item.boolValue);
        break;
    case ItemKind::radioButton:
        item.SetBooleanValue(true);
        break;
    case ItemKind::textPushButton:
    case ItemKind::picturePushButton:
        break;
    default:
        return;
    }
    NotifyFromItem(item, kADMUserChangedNotifier);
}

void PressDialogItem(DialogModel& dialog, int32 itemID)
{
    if (dialog.hasEnded)
        return;
    ItemModel* item = dialog.Item(itemID);
    if (!item)
        dialog.End(itemID);
    else if (Accepts(*item))
        NotifyFromItem(*item, kADMUserChangedNotifier);
}

void ChooseEntry(ItemModel& popup, int32 index)
{
    ListModel* list = popup.List();
    EntryModel* entry = list ? list->At(index) : nullptr;
    if (!entry || !Accepts(popup))
        return;
    list->Select(*entry, true);
    NotifyFromItem(popup, kADMUserChangedNotifier);
}

void EnterFieldText(ItemModel& field, const std::string& text)
{
    if (field.kind != ItemKind::textEdit || !Accepts(field))
        return;
    ItemModel* const address = &field;
    const std::optional<float> number = field.NumberOfText(text);
    if (!IsLive(address, Kind::item))
        return;
    if (!number) {
        field.Changed();
        return;
    }
    field.SetIntValue(vendrel::roundedToInt32(*number));
    NotifyFromItem(field, kADMUserChangedNotifier);
}

bool TrackMouse(ItemModel& item, int32 action, ADMPoint point)
{
    if (!Accepts(item) || !(item.mask & MaskFor(action)))
        return false;
    return TrackItem(item, action, point);
}

void FinishClick(ItemModel& item, bool changed)
{
    if (changed && IsLive(&item, Kind::item) && !item.dialog.hasEnded)
        NotifyFromItem(item, kADMUserChangedNotifier);
}

} // namespace owndm
