/* The host's dialog-manager suites, with the operations this system uses. */
#ifndef VENDREL_SDK_ADMSUITES_H
#define VENDREL_SDK_ADMSUITES_H

#include "ADMTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kADMBasicSuite "ADM Basic Suite"
#define kADMBasicSuiteVersion5 5
#define kADMDialogSuite "ADM Dialog Suite"
#define kADMDialogSuiteVersion5 5
#define kADMEntrySuite "ADM Entry Suite"
#define kADMEntrySuiteVersion2 2
#define kADMListSuite "ADM List Suite"
#define kADMListSuiteVersion1 1
#define kADMItemSuite "ADM Item Suite"
#define kADMItemSuiteVersion4 4
#define kADMDrawerSuite "ADM Drawer Suite"
#define kADMDrawerSuiteVersion3 3
#define kADMNotifierSuite "ADM Notifier Suite"
#define kADMNotifierSuiteVersion2 2
#define kADMTrackerSuite "ADM Tracker Suite"
#define kADMTrackerSuiteVersion1 1

typedef struct ADMBasicSuite5 {
    ASErr (*GetIndexString)(ADMPluginRef plugin, int32 stringID, int32 stringIndex, char* string, int32 maxLen);
    void (*Beep)(void);
    void (*ErrorAlert)(const char* errorString);
    void (*MessageAlert)(const char* messageString); /* 4th operation: a modal message */
    ASBoolean (*QuestionAlert)(const char* questionString);
} ADMBasicSuite5;

typedef struct ADMDialogSuite5 {
    ADMDialogRef (*Create)(ADMPluginRef pluginRef, const char* name, int32 dialogID, int32 style,
                           ADMDialogInitProc initProc, ADMUserData data, int32 options);
    int32 (*Modal)(ADMPluginRef pluginRef, const char* name, int32 dialogID, int32 style, ADMDialogInitProc initProc,
                   ADMUserData data, int32 options);
    void (*Destroy)(ADMDialogRef dialog);

    void (*SetDrawProc)(ADMDialogRef dialog, ADMDialogDrawProc drawProc);
    void (*SetTrackProc)(ADMDialogRef dialog, ADMDialogTrackProc trackProc);
    void (*SetNotifyProc)(ADMDialogRef dialog, ADMDialogNotifyProc notifyProc);
    void (*SetDestroyProc)(ADMDialogRef dialog, ADMDialogDestroyProc destroyProc);

    void (*DefaultDraw)(ADMDialogRef dialog, ADMDrawerRef drawer);
    ASBoolean (*DefaultTrack)(ADMDialogRef dialog, ADMTrackerRef tracker);
    void (*DefaultNotify)(ADMDialogRef dialog, ADMNotifierRef notifier);

    void (*SetUserData)(ADMDialogRef dialog, ADMUserData data);
    ADMUserData (*GetUserData)(ADMDialogRef dialog);

    void (*SetLocalRect)(ADMDialogRef dialog, const ADMRect* localRect);
    void (*GetLocalRect)(ADMDialogRef dialog, ADMRect* localRect);

    ADMItemRef (*GetItem)(ADMDialogRef dialog, int32 itemID);
    ADMItemRef (*CreateItem)(ADMDialogRef dialog, int32 itemID, const char* itemType, const ADMRect* boundsRect,
                             ADMItemInitProc initProc, ADMUserData data, int32 options);
    int32 (*GetDefaultItemID)(ADMDialogRef dialog);
    int32 (*GetCancelItemID)(ADMDialogRef dialog);
    void (*EndModal)(ADMDialogRef dialog, int32 modalResultID, ASBoolean cancelling);
    void (*Invalidate)(ADMDialogRef dialog);
} ADMDialogSuite5;

typedef struct ADMItemSuite4 {
    ADMItemRef (*Create)(ADMDialogRef dialog, int32 itemID, const char* itemType, const ADMRect* boundsRect,
                         ADMItemInitProc initProc, ADMUserData data);
    void (*Destroy)(ADMItemRef item);

    void (*SetDrawProc)(ADMItemRef item, ADMItemDrawProc drawProc);
    void (*SetTrackProc)(ADMItemRef item, ADMItemTrackProc trackProc);
    void (*SetNotifyProc)(ADMItemRef item, ADMItemNotifyProc notifyProc);
    void (*SetDestroyProc)(ADMItemRef item, ADMItemDestroyProc destroyProc);
    void (*SetTextToFloatProc)(ADMItemRef item, ADMItemTextToFloatProc proc);
    void (*SetFloatToTextProc)(ADMItemRef item, ADMItemFloatToTextProc proc);

    void (*DefaultDraw)(ADMItemRef item, ADMDrawerRef drawer);
    ASBoolean (*DefaultTrack)(ADMItemRef item, ADMTrackerRef tracker);
    void (*DefaultNotify)(ADMItemRef item, ADMNotifierRef notifier);
    ASBoolean (*DefaultTextToFloat)(ADMItemRef item, const char* text, float* value);
    ASBoolean (*DefaultFloatToText)(ADMItemRef item, float value, char* text, int32 textLength);

    void (*SetUserData)(ADMItemRef item, ADMUserData data);
    ADMUserData (*GetUserData)(ADMItemRef item);

    int32 (*GetID)(ADMItemRef item);
    ADMDialogRef (*GetDialog)(ADMItemRef item);
    ADMListRef (*GetList)(ADMItemRef item);

    void (*SetBoundsRect)(ADMItemRef item, const ADMRect* boundsRect);
    void (*GetBoundsRect)(ADMItemRef item, ADMRect* boundsRect);
    void (*GetLocalRect)(ADMItemRef item, ADMRect* localRect);

    void (*SetText)(ADMItemRef item, const char* text);
    void (*GetText)(ADMItemRef item, char* text, int32 maxLength);
    void (*SetTipString)(ADMItemRef item, const char* tipString);
    void (*SetPictureID)(ADMItemRef item, int32 pictureResID, const char* pictureResName);
    void (*SetItemStyle)(ADMItemRef item, int32 style);

    void (*SetMinIntValue)(ADMItemRef item, int32 value);
    void (*SetMaxIntValue)(ADMItemRef item, int32 value);
    void (*SetIntValue)(ADMItemRef item, int32 value);
    int32 (*GetIntValue)(ADMItemRef item);
    void (*SetUnits)(ADMItemRef item, int32 units);
    void (*SetAllowUnits)(ADMItemRef item, ASBoolean allowUnits);

    void (*SetBooleanValue)(ADMItemRef item, ASBoolean value);
    ASBoolean (*GetBooleanValue)(ADMItemRef item);

    void (*Enable)(ADMItemRef item, ASBoolean enable);
    ASBoolean (*IsEnabled)(ADMItemRef item);

    int32 (*GetMask)(ADMItemRef item);
    void (*SetMask)(ADMItemRef item, int32 mask);

    void (*Invalidate)(ADMItemRef item); /* asks the host to redraw the item */
} ADMItemSuite4;

typedef struct ADMListSuite1 {
    ADMEntryRef (*InsertEntry)(ADMListRef list, int32 index);
    void (*RemoveEntry)(ADMListRef list, int32 index);
    ADMEntryRef (*IndexEntry)(ADMListRef list, int32 index);
    int32 (*NumberOfEntries)(ADMListRef list);
    ADMEntryRef (*GetActiveEntry)(ADMListRef list);
} ADMListSuite1;

typedef struct ADMEntrySuite2 {
    void (*SetID)(ADMEntryRef entry, int32 entryID);
    int32 (*GetID)(ADMEntryRef entry);
    void (*SetText)(ADMEntryRef entry, const char* text);
    void (*GetText)(ADMEntryRef entry, char* text, int32 maxLength);
    void (*Select)(ADMEntryRef entry, ASBoolean select);
    ASBoolean (*IsSelected)(ADMEntryRef entry);
    int32 (*GetIndex)(ADMEntryRef entry);
} ADMEntrySuite2;

typedef struct ADMDrawerSuite3 {
    void (*GetBoundsRect)(ADMDrawerRef drawer, ADMRect* boundsRect);
    void (*SetADMColor)(ADMDrawerRef drawer, int32 color);
    void (*SetRGBColor)(ADMDrawerRef drawer, const ADMRGBColor* color);
    void (*FrameRect)(ADMDrawerRef drawer, const ADMRect* rect); /* one-pixel outline */
    void (*FillRect)(ADMDrawerRef drawer, const ADMRect* rect);
} ADMDrawerSuite3;

typedef struct ADMNotifierSuite2 {
    ADMItemRef (*GetItem)(ADMNotifierRef notifier);
    ADMDialogRef (*GetDialog)(ADMNotifierRef notifier);
    ASBoolean (*IsNotifierType)(ADMNotifierRef notifier, const char* notifierType);
    void (*GetNotifierType)(ADMNotifierRef notifier, char* notifierType, int32 maxLength);
} ADMNotifierSuite2;

typedef struct ADMTrackerSuite1 {
    int32 (*GetAction)(ADMTrackerRef tracker);
    void (*GetPoint)(ADMTrackerRef tracker, ADMPoint* point);
} ADMTrackerSuite1;

#ifdef __cplusplus
}
#endif

#endif
