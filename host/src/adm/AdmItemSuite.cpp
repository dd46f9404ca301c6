// "ADM Item Suite": items, their callbacks and defaults, values, texts and looks.
#include "AdmDrawer.h"
#include "AdmEvents.h"
#include "AdmLifecycle.h"
#include "AdmModel.h"
#include "AdmSuites.h"
#include "vendrel/dialogtext/EntryText.h"
#include "NoThrow.h"

namespace vendrel::adm {

namespace {

// Applies a change to a live item; a reference to an item that is gone is ignored.
template <class Change> void change(ADMItemRef ref, Change&& apply)
{
    if (ItemModel* item = ItemModel::fromRef(ref))
        apply(*item);
}

template <class Answer, class Read> Answer read(ADMItemRef ref, Answer whenGone, Read&& get)
{
    const ItemModel* item = ItemModel::fromRef(ref);
    return item ? get(*item) : whenGone;
}

ADMItemRef create(ADMDialogRef dialogRef, int32 itemID, const char* itemType, const ADMRect* bounds,
                  ADMItemInitProc initProc, ADMUserData data)
{
    return createItem(dialogRef, itemID, itemType, bounds, initProc, data);
}

void destroy(ADMItemRef ref)
{
    change(ref, [](ItemModel& item) { item.dialog.destroyItem(item); });
}

void setDrawProc(ADMItemRef ref, ADMItemDrawProc proc)
{
    change(ref, [&](ItemModel& item) { item.procs.draw = proc; });
}

void setTrackProc(ADMItemRef ref, ADMItemTrackProc proc)
{
    change(ref, [&](ItemModel& item) { item.procs.track = proc; });
}

void setNotifyProc(ADMItemRef ref, ADMItemNotifyProc proc)
{
    change(ref, [&](ItemModel& item) { item.procs.notify = proc; });
}

void setDestroyProc(ADMItemRef ref, ADMItemDestroyProc proc)
{
    change(ref, [&](ItemModel& item) { item.procs.destroy = proc; });
}

void setTextToFloatProc(ADMItemRef ref, ADMItemTextToFloatProc proc)
{
    change(ref, [&](ItemModel& item) { item.procs.textToFloat = proc; });
}

void setFloatToTextProc(ADMItemRef ref, ADMItemFloatToTextProc proc)
{
    change(ref, [&](ItemModel& item) { item.procs.floatToText = proc; });
}

void defaultDraw(ADMItemRef ref, ADMDrawerRef drawerRef)
{
    if (ItemModel::fromRef(ref))
        DrawerModel::drawDefaultThrough(drawerRef);
}

// No item of this dialog manager changes on its own through tracking; a user item only when its own track
// callback says so.
ASBoolean defaultTrack(ADMItemRef, ADMTrackerRef)
{
    return false;
}

void defaultNotify(ADMItemRef ref, ADMNotifierRef notifierRef)
{
    ItemModel* item = ItemModel::fromRef(ref);
    NotifierModel* notifier = NotifierModel::fromRef(notifierRef);
    if (item && notifier)
        defaultItemNotify(*item, *notifier);
}

ASBoolean defaultTextToFloat(ADMItemRef ref, const char* text, float* value)
{
    const ItemModel* item = ItemModel::fromRef(ref);
    if (!item || !text || !value)
        return false;
    const std::optional<float> number = parseNumber(text, item->unitsAllowed);
    if (!number)
        return false;
    *value = *number;
    return true;
}

ASBoolean defaultFloatToText(ADMItemRef ref, float value, char* text, int32 textLength)
{
    if (!ItemModel::fromRef(ref) || !text || textLength <= 0)
        return false;
    copyToBuffer(formatNumber(value), text, textLength);
    return true;
}

void setUserData(ADMItemRef ref, ADMUserData data)
{
    change(ref, [&](ItemModel& item) { item.userData = data; });
}

ADMUserData getUserData(ADMItemRef ref)
{
    return read<ADMUserData>(ref, nullptr, [](const ItemModel& item) { return item.userData; });
}

int32 getID(ADMItemRef ref)
{
    return read<int32>(ref, 0, [](const ItemModel& item) { return item.itemId; });
}

ADMDialogRef getDialog(ADMItemRef ref)
{
    ItemModel* item = ItemModel::fromRef(ref);
    return item ? item->dialog.ref() : nullptr;
}

ADMListRef getList(ADMItemRef ref)
{
    ItemModel* item = ItemModel::fromRef(ref);
    return item && item->list() ? item->list()->ref() : nullptr;
}

void setBoundsRect(ADMItemRef ref, const ADMRect* bounds)
{
    if (bounds && isOrdered(*bounds))
        change(ref, [&](ItemModel& item) {
            item.rect = toAdmRect(*bounds);
            item.dialog.requestRedraw();
        });
}

void getBoundsRect(ADMItemRef ref, ADMRect* bounds)
{
    if (bounds)
        change(ref, [&](ItemModel& item) { *bounds = toSdkRect(item.rect); });
}

void getLocalRect(ADMItemRef ref, ADMRect* local)
{
    if (local)
        change(ref, [&](ItemModel& item) { *local = {0, 0, item.rect.width(), item.rect.height()}; });
}

void setText(ADMItemRef ref, const char* text)
{
    change(ref, [&](ItemModel& item) { item.label = text ? text : ""; });
}

// An entry field's text is its value as shown; any other item's text is its label.
void getText(ADMItemRef ref, char* text, int32 maxLength)
{
    change(ref,
           [&](ItemModel& item) { copyToBuffer(item.isEditField() ? item.valueText() : item.label, text, maxLength); });
}

void setTipString(ADMItemRef ref, const char* tip)
{
    change(ref, [&](ItemModel& item) { item.tip = tip ? tip : ""; });
}

void setPictureID(ADMItemRef ref, int32 pictureResID, const char* pictureResName)
{
    change(ref, [&](ItemModel& item) {
        item.picture = pictureResID;
        item.pictureName = pictureResName ? pictureResName : "";
    });
}

void setItemStyle(ADMItemRef ref, int32 style)
{
    change(ref, [&](ItemModel& item) { item.itemStyle = style; });
}

void setMinIntValue(ADMItemRef ref, int32 value)
{
    change(ref, [&](ItemModel& item) { item.setMinValue(value); });
}

void setMaxIntValue(ADMItemRef ref, int32 value)
{
    change(ref, [&](ItemModel& item) { item.setMaxValue(value); });
}

void setIntValue(ADMItemRef ref, int32 value)
{
    change(ref, [&](ItemModel& item) { item.setIntValue(value); });
}

int32 getIntValue(ADMItemRef ref)
{
    return read<int32>(ref, 0, [](const ItemModel& item) { return item.value; });
}

void setUnits(ADMItemRef ref, int32 units)
{
    change(ref, [&](ItemModel& item) { item.unitCode = units; });
}

void setAllowUnits(ADMItemRef ref, ASBoolean allow)
{
    change(ref, [&](ItemModel& item) { item.unitsAllowed = allow != 0; });
}

void setBooleanValue(ADMItemRef ref, ASBoolean value)
{
    change(ref, [&](ItemModel& item) { item.setBooleanValue(value != 0); });
}

ASBoolean getBooleanValue(ADMItemRef ref)
{
    return read<ASBoolean>(ref, false, [](const ItemModel& item) { return ASBoolean(item.boolValue); });
}

void enable(ADMItemRef ref, ASBoolean on)
{
    change(ref, [&](ItemModel& item) { item.isEnabled = on != 0; });
}

ASBoolean isEnabled(ADMItemRef ref)
{
    return read<ASBoolean>(ref, false, [](const ItemModel& item) { return ASBoolean(item.isEnabled); });
}

int32 getMask(ADMItemRef ref)
{
    return read<int32>(ref, 0, [](const ItemModel& item) { return item.actionMask; });
}

void setMask(ADMItemRef ref, int32 mask)
{
    change(ref, [&](ItemModel& item) { item.actionMask = mask; });
}

void invalidate(ADMItemRef ref)
{
    change(ref, [](ItemModel& item) { item.invalidate(); });
}

const ADMItemSuite4 suite = {noThrow<create>,
                             noThrow<destroy>,
                             noThrow<setDrawProc>,
                             noThrow<setTrackProc>,
                             noThrow<setNotifyProc>,
                             noThrow<setDestroyProc>,
                             noThrow<setTextToFloatProc>,
                             noThrow<setFloatToTextProc>,
                             noThrow<defaultDraw>,
                             noThrow<defaultTrack>,
                             noThrow<defaultNotify>,
                             noThrow<defaultTextToFloat>,
                             noThrow<defaultFloatToText>,
                             noThrow<setUserData>,
                             noThrow<getUserData>,
                             noThrow<getID>,
                             noThrow<getDialog>,
                             noThrow<getList>,
                             noThrow<setBoundsRect>,
                             noThrow<getBoundsRect>,
                             noThrow<getLocalRect>,
                             noThrow<setText>,
                             noThrow<getText>,
                             noThrow<setTipString>,
                             noThrow<setPictureID>,
                             noThrow<setItemStyle>,
                             noThrow<setMinIntValue>,
                             noThrow<setMaxIntValue>,
                             noThrow<setIntValue>,
                             noThrow<getIntValue>,
                             noThrow<setUnits>,
                             noThrow<setAllowUnits>,
                             noThrow<setBooleanValue>,
                             noThrow<getBooleanValue>,
                             noThrow<enable>,
                             noThrow<isEnabled>,
                             noThrow<getMask>,
                             noThrow<setMask>,
                             noThrow<invalidate>};

} // namespace

const ADMItemSuite4* itemSuite()
{
    return &suite;
}

} // namespace vendrel::adm
