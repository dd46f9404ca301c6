#include "BaseADMItem.h"

BaseADMItem::BaseADMItem(ADMItemRef item) : IADMItem(item)
{
    if (!fItem)
        return;
    sADMItem->SetUserData(fItem, this);
    InstallCallbacks();
}

void BaseADMItem::Draw(ADMDrawerRef drawer)
{
    sADMItem->DefaultDraw(fItem, drawer);
}

bool BaseADMItem::Track(ADMTrackerRef tracker)
{
    return sADMItem->DefaultTrack(fItem, tracker) != 0;
}

void BaseADMItem::Notify(ADMNotifierRef notifier)
{
    sADMItem->DefaultNotify(fItem, notifier);
}

bool BaseADMItem::TextToFloat(const char* text, float* value)
{
    return sADMItem->DefaultTextToFloat(fItem, text, value) != 0;
}

bool BaseADMItem::FloatToText(float value, char* text, int32 textLength)
{
    return sADMItem->DefaultFloatToText(fItem, value, text, textLength) != 0;
}

BaseADMItem::~BaseADMItem()
{
    if (fItem && sADMItem) {
        // The track callback stays installed; with the user data cleared it finds no wrapper.
        sADMItem->SetUserData(fItem, nullptr);
        sADMItem->SetDrawProc(fItem, nullptr);
        sADMItem->SetNotifyProc(fItem, nullptr);
        sADMItem->SetDestroyProc(fItem, nullptr);
        sADMItem->SetTextToFloatProc(fItem, nullptr);
        sADMItem->SetFloatToTextProc(fItem, nullptr);
        sADMItem->Destroy(fItem);
    }
    fItem = nullptr;
}

ADMItemRef BaseADMItem::Create(ADMDialogRef dialog, const ADMRect& bounds, const char* itemType, int32 itemID)
{
    fItem = sADMItem->Create(dialog, itemID, itemType, &bounds, Callbacks::InitProc, this);
    if (fItem)
        InstallCallbacks();
    return fItem;
}

void BaseADMItem::InstallCallbacks()
{
    sADMItem->SetDrawProc(fItem, Callbacks::DrawProc);
    sADMItem->SetTrackProc(fItem, Callbacks::TrackProc);
    sADMItem->SetNotifyProc(fItem, Callbacks::NotifyProc);
    sADMItem->SetDestroyProc(fItem, DestroyProc);
    sADMItem->SetTextToFloatProc(fItem, TextToFloatProc);
    sADMItem->SetFloatToTextProc(fItem, FloatToTextProc);
}

BaseADMItem* BaseADMItem::FromRef(ADMItemRef item)
{
    return static_cast<BaseADMItem*>(sADMItem->GetUserData(item));
}

void BaseADMItem::DestroyProc(ADMItemRef item)
{
    // An item wrapper never outlives its host item.
    delete FromRef(item);
}

ASBoolean BaseADMItem::TextToFloatProc(ADMItemRef item, const char* text, float* value)
{
    BaseADMItem* wrapper = FromRef(item);
    return wrapper ? wrapper->TextToFloat(text, value) : false;
}

ASBoolean BaseADMItem::FloatToTextProc(ADMItemRef item, float value, char* text, int32 textLength)
{
    BaseADMItem* wrapper = FromRef(item);
    return wrapper ? wrapper->FloatToText(value, text, textLength) : false;
}
