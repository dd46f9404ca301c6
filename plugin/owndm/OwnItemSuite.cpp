// "ADM Item Suite": items, their callbacks and defaults, values, texts and looks.
#include "DrawSurface.h"
#include "OwnEvents.h"
#include "OwnLifecycle.h"
#include "OwnNoThrow.h"
#include "vendrel/dialogtext/EntryText.h"
#include "OwnSuites.h"

namespace owndm {

namespace {

// Applies a change to a live item; a reference to an item that is gone is ignored.
template <class Change> void ChangeItem(ADMItemRef ref, Change&& apply)
{
    if (ItemModel* item = ItemModel::FromRef(ref))
        apply(*item);
}

template <class Answer, class Read> Answer ReadItem(ADMItemRef ref, Answer whenGone, Read&& get)
{
    ItemModel* item = ItemModel::FromRef(ref);
    return item ? get(*item) : whenGone;
}

ADMItemRef Create(ADMDialogRef dialog, int32 itemID, const char* itemType, const ADMRect* bounds,
                  ADMItemInitProc initProc, ADMUserData data)
{
    return CreateItem(dialog, itemID, itemType, bounds, initProc, data);
}

void Destroy(ADMItemRef ref)
{
    ChangeItem(ref, [](ItemModel& item) { item.dialog.DestroyItem(item); });
}

void SetDrawProc(ADMItemRef ref, ADMItemDrawProc proc)
{
    ChangeItem(ref, [&](ItemModel& item) {
        item.procs.draw = proc;
        item.Invalidate();
    });
}

void SetTrackProc(ADMItemRef ref, ADMItemTrackProc proc)
{
    ChangeItem(ref, [&](ItemModel& item) { item.procs.track = proc; });
}

void SetNotifyProc(ADMItemRef ref, ADMItemNotifyProc proc)
{
    ChangeItem(ref, [&](ItemModel& item) { item.procs.notify = proc; });
}

void SetDestroyProc(ADMItemRef ref, ADMItemDestroyProc proc)
{
    ChangeItem(ref, [&](ItemModel& item) { item.procs.destroy = proc; });
}

void SetTextToFloatProc(ADMItemRef ref, ADMItemTextToFloatProc proc)
{
    ChangeItem(ref, [&](ItemModel& item) { item.procs.textToFloat = proc; });
}

void SetFloatToTextProc(ADMItemRef ref, ADMItemFloatToTextProc proc)
{
    ChangeItem(ref, [&](ItemModel& item) {
        item.procs.floatToText = proc;
        item.Changed();
    });
}

void DefaultDraw(ADMItemRef ref, ADMDrawerRef drawer)
{
    if (ItemModel::FromRef(ref))
        DrawSurface::DrawDefaultThrough(drawer);
}

// No item changes on its own through tracking; a user item only when its own track callback says so.
ASBoolean DefaultTrack(ADMItemRef, ADMTrackerRef)
{
    return false;
}

void DefaultNotify(ADMItemRef ref, ADMNotifierRef notifierRef)
{
    ItemModel* item = ItemModel::FromRef(ref);
    NotifierModel* notifier = NotifierModel::FromRef(notifierRef);
    if (item && notifier)
        DefaultItemNotify(*item, *notifier);
}

ASBoolean DefaultTextToFloat(ADMItemRef ref, const char* text, float* value)
{
    const ItemModel* item = ItemModel::FromRef(ref);
    if (!item || !text || !value)
        return false;
    const std::optional<float> number = vendrel::parseNumber(text, item->allowUnits);
    if (!number)
        return false;
    *value = *number;
    return true;
}

ASBoolean DefaultFloatToText(ADMItemRef ref, float value, char* text, int32 textLength)
{
    if (!ItemModel::FromRef(ref) || !text || textLength <= 0)
        return false;
    vendrel::copyToBuffer(vendrel::formatNumber(value), text, textLength);
    return true;
}

void SetUserData(ADMItemRef ref, ADMUserData data)
{
    ChangeItem(ref, [&](ItemModel& item) { item.userData = data; });
}

ADMUserData GetUserData(ADMItemRef ref)
{
    return ReadItem<ADMUserData>(ref, nullptr, [](const ItemModel& item) { return item.userData; });
}

int32 GetID(ADMItemRef ref)
{
    return ReadItem<int32>(ref, 0, [](const ItemModel& item) { return item.id; });
}

ADMDialogRef GetDialog(ADMItemRef ref)
{
    return ReadItem<ADMDialogRef>(ref, nullptr, [](ItemModel& item) { return item.dialog.Ref(); });
}

ADMListRef GetList(ADMItemRef ref)
{
    return ReadItem<ADMListRef>(ref, nullptr,
                                [](ItemModel& item) { return item.List() ? item.List()->Ref() : nullptr; });
}

void SetBoundsRect(ADMItemRef ref, const ADMRect* bounds)
{
    if (bounds && IsOrdered(*bounds))
        ChangeItem(ref, [&](ItemModel& item) { item.SetBounds(*bounds); });
}

void GetBoundsRect(ADMItemRef ref, ADMRect* bounds)
{
    if (bounds)
        ChangeItem(ref, [&](ItemModel& item) { *bounds = item.bounds; });
}

void GetLocalRect(ADMItemRef ref, ADMRect* local)
{
    if (local)
        ChangeItem(ref, [&](ItemModel& item) { *local = {0, 0, Width(item.bounds), Height(item.bounds)}; });
}

void SetText(ADMItemRef ref, const char* text)
{
    ChangeItem(ref, [&](ItemModel& item) { item.SetText(text ? text : ""); });
}

// An entry field's text is its value as shown; any other item's text is its label.
void GetText(ADMItemRef ref, char* text, int32 maxLength)
{
    ChangeItem(ref, [&](ItemModel& item) {
        vendrel::copyToBuffer(item.kind == ItemKind::textEdit ? item.ValueText() : item.text, text, maxLength);
    });
}

void SetTipString(ADMItemRef ref, const char* tip)
{
    ChangeItem(ref, [&](ItemModel& item) {
        item.tip = tip ? tip : "";
        item.Changed();
    });
}

void SetPictureID(ADMItemRef ref, int32 pictureResID, const char*)
{
    ChangeItem(ref, [&](ItemModel& item) {
        item.picture = pictureResID;
        item.Changed();
    });
}

void SetItemStyle(ADMItemRef ref, int32 style)
{
    ChangeItem(ref, [&](ItemModel& item) {
        item.style = style;
        item.Changed();
    });
}

void SetMinIntValue(ADMItemRef ref, int32 value)
{
    ChangeItem(ref, [&](ItemModel& item) { item.SetMinValue(value); });
}

void SetMaxIntValue(ADMItemRef ref, int32 value)
{
    ChangeItem(ref, [&](ItemModel& item) { item.SetMaxValue(value); });
}

void SetIntValue(ADMItemRef ref, int32 value)
{
    ChangeItem(ref, [&](ItemModel& item) { item.SetIntValue(value); });
}

int32 GetIntValue(ADMItemRef ref)
{
    return ReadItem<int32>(ref, 0, [](const ItemModel& item) { return item.value; });
}

void SetUnits(ADMItemRef ref, int32 units)
{
    ChangeItem(ref, [&](ItemModel& item) {
        item.units = units;
        item.Changed();
    });
}

void SetAllowUnits(ADMItemRef ref, ASBoolean allow)
{
    ChangeItem(ref, [&](ItemModel& item) { item.allowUnits = allow != 0; });
}

void SetBooleanValue(ADMItemRef ref, ASBoolean value)
{
    ChangeItem(ref, [&](ItemModel& item) { item.SetBooleanValue(value != 0); });
}

ASBoolean GetBooleanValue(ADMItemRef ref)
{
    return ReadItem<ASBoolean>(ref, false, [](const ItemModel& item) { return ASBoolean(item.boolValue); });
}

void Enable(ADMItemRef ref, ASBoolean on)
{
    ChangeItem(ref, [&](ItemModel& item) { item.SetEnabled(on != 0); });
}

ASBoolean IsEnabled(ADMItemRef ref)
{
    return ReadItem<ASBoolean>(ref, false, [](const ItemModel& item) { return ASBoolean(item.enabled); });
}

int32 GetMask(ADMItemRef ref)
{
    return ReadItem<int32>(ref, 0, [](const ItemModel& item) { return item.mask; });
}

void SetMask(ADMItemRef ref, int32 mask)
{
    ChangeItem(ref, [&](ItemModel& item) { item.mask = mask; });
}

void Invalidate(ADMItemRef ref)
{
    ChangeItem(ref, [](ItemModel& item) { item.Invalidate(); });
}

const ADMItemSuite4 kSuite = {NoThrow<Create>,
                              NoThrow<Destroy>,
                              NoThrow<SetDrawProc>,
                              NoThrow<SetTrackProc>,
                              NoThrow<SetNotifyProc>,
                              NoThrow<SetDestroyProc>,
                              NoThrow<SetTextToFloatProc>,
                              NoThrow<SetFloatToTextProc>,
                              NoThrow<DefaultDraw>,
                              NoThrow<DefaultTrack>,
                              NoThrow<DefaultNotify>,
                              NoThrow<DefaultTextToFloat>,
                              NoThrow<DefaultFloatToText>,
                              NoThrow<SetUserData>,
                              NoThrow<GetUserData>,
                              NoThrow<GetID>,
                              NoThrow<GetDialog>,
                              NoThrow<GetList>,
                              NoThrow<SetBoundsRect>,
                              NoThrow<GetBoundsRect>,
                              NoThrow<GetLocalRect>,
                              NoThrow<SetText>,
                              NoThrow<GetText>,
                              NoThrow<SetTipString>,
                              NoThrow<SetPictureID>,
                              NoThrow<SetItemStyle>,
                              NoThrow<SetMinIntValue>,
                              NoThrow<SetMaxIntValue>,
                              NoThrow<SetIntValue>,
                              NoThrow<GetIntValue>,
                              NoThrow<SetUnits>,
                              NoThrow<SetAllowUnits>,
                              NoThrow<SetBooleanValue>,
                              NoThrow<GetBooleanValue>,
                              NoThrow<Enable>,
                              NoThrow<IsEnabled>,
                              NoThrow<GetMask>,
                              NoThrow<SetMask>,
                              NoThrow<Invalidate>};

} // namespace

const ADMItemSuite4* ItemSuite()
{
    return &kSuite;
}

} // namespace owndm
