/* Types shared by the host's dialog-manager suites. */
#ifndef VENDREL_SDK_ADMTYPES_H
#define VENDREL_SDK_ADMTYPES_H

#include "PITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef int32 ASErr;
typedef uint8 ASBoolean;
typedef void* ADMUserData;
typedef void* ADMPluginRef;

typedef struct ADMOpaqueDialog* ADMDialogRef;
typedef struct ADMOpaqueItem* ADMItemRef;
typedef struct ADMOpaqueList* ADMListRef;
typedef struct ADMOpaqueEntry* ADMEntryRef;
typedef struct ADMOpaqueDrawer* ADMDrawerRef;
typedef struct ADMOpaqueTracker* ADMTrackerRef;
typedef struct ADMOpaqueNotifier* ADMNotifierRef;

/* Rectangles are in pixels of the dialog's (or item's) local coordinates. */
typedef struct ADMRect {
    int32 left;
    int32 top;
    int32 right;
    int32 bottom;
} ADMRect;

typedef struct ADMPoint {
    int32 h;
    int32 v;
} ADMPoint;

typedef struct ADMRGBColor {
    uint16 red;
    uint16 green;
    uint16 blue;
} ADMRGBColor;

/* Named drawing colours. */
enum {
    kADMBlackColor = 0,
    kADMWhiteColor = 1,
    kADMHiliteColor = 2,
    kADMHiliteTextColor = 3,
    kADMLightColor = 4,
    kADMBackgroundColor = 5,
    kADMShadowColor = 6,
    kADMDisabledColor = 7
};

/* Tracker actions. */
enum {
    kADMNoAction = 0,
    kADMMouseMovedDownAction = 1,
    kADMButtonDownAction = 2,
    kADMMouseMovedUpAction = -1,
    kADMButtonUpAction = -2
};

/* Action mask bits: which tracker actions an item is given. */
enum { kADMButtonDownMask = 0x00020000, kADMButtonUpMask = 0x00040000, kADMMouseMoveMask = 0x00080000 };

/* Units of numeric entry fields. */
enum { kADMNoUnits = 0, kADMPixelUnits = 10 };

/* Frame styles. */
enum { kADMEtchedFrameStyle = 4 };

/* Dialog styles. */
enum { kADMModalDialogStyle = 0 };

#define kADMUserType "ADM User Type"
#define kADMTextStaticType "ADM Text Static Type"
#define kADMTextEditType "ADM Text Edit Type"
#define kADMTextCheckBoxType "ADM Text Check Box Type"
#define kADMTextRadioButtonType "ADM Text Radio Button Type"
#define kADMPopupListType "ADM Popup List Type"
#define kADMFrameType "ADM Frame Type"
#define kADMPicturePushButtonType "ADM Picture Push Button Type"
#define kADMTextPushButtonType "ADM Text Push Button Type"

#define kADMUserChangedNotifier "ADM User Changed Notifier"
#define kADMDeactivateWindowNotifier "ADM Deactivate Window Notifier"

typedef ASErr (*ADMDialogInitProc)(ADMDialogRef dialog);
typedef void (*ADMDialogDrawProc)(ADMDialogRef dialog, ADMDrawerRef drawer);
typedef ASBoolean (*ADMDialogTrackProc)(ADMDialogRef dialog, ADMTrackerRef tracker);
typedef void (*ADMDialogNotifyProc)(ADMDialogRef dialog, ADMNotifierRef notifier);
typedef void (*ADMDialogDestroyProc)(ADMDialogRef dialog);

typedef ASErr (*ADMItemInitProc)(ADMItemRef item);
typedef void (*ADMItemDrawProc)(ADMItemRef item, ADMDrawerRef drawer);
typedef ASBoolean (*ADMItemTrackProc)(ADMItemRef item, ADMTrackerRef tracker);
typedef void (*ADMItemNotifyProc)(ADMItemRef item, ADMNotifierRef notifier);
typedef void (*ADMItemDestroyProc)(ADMItemRef item);
typedef ASBoolean (*ADMItemTextToFloatProc)(ADMItemRef item, const char* text, float* value);
typedef ASBoolean (*ADMItemFloatToTextProc)(ADMItemRef item, float value, char* text, int32 textLength);

#ifdef __cplusplus
}
#endif

#endif
