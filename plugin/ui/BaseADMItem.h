// A host item whose drawing, tracking and notifications the plug-in handles itself. The wrapper is owned by
// its host item: the item's destroy callback deletes it.
#pragma once

#include "ADMCallbacks.h"
#include "ADMSuites.h"
#include "IADMItem.h"

class BaseADMItem : public IADMItem {
public:
    BaseADMItem() = default;
    // Attaches to an existing item: user data and every callback installed; Init is not called.
    explicit BaseADMItem(ADMItemRef item);
    BaseADMItem(const BaseADMItem&) = delete;
    BaseADMItem& operator=(const BaseADMItem&) = delete;

    virtual ASErr Init() { return 0; }
    virtual void Draw(ADMDrawerRef drawer);
    virtual bool Track(ADMTrackerRef tracker);
    // The host's default passes the notification on to the dialog.
    virtual void Notify(ADMNotifierRef notifier);
    virtual bool TextToFloat(const char* text, float* value);
    virtual bool FloatToText(float value, char* text, int32 textLength);
    // The host's draw callback enters here.
    virtual void OnDraw(ADMDrawerRef drawer) { Draw(drawer); }
    virtual ~BaseADMItem();
    // Creates a host item owned by this wrapper; the host calls Init through the item init callback.
    virtual ADMItemRef Create(ADMDialogRef dialog, const ADMRect& bounds, const char* itemType, int32 itemID);

private:
    void InstallCallbacks();

    using Callbacks = ADMCallbacks<BaseADMItem, ADMItemRef, &BaseADMItem::OnDraw>;
    friend Callbacks;

    static BaseADMItem* FromRef(ADMItemRef item);
    void AttachRef(ADMItemRef item) { fItem = item; }
    static void DestroyProc(ADMItemRef item);
    static ASBoolean TextToFloatProc(ADMItemRef item, const char* text, float* value);
    static ASBoolean FloatToTextProc(ADMItemRef item, float value, char* text, int32 textLength);
};
