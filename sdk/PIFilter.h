/* The filter plug-in interface: selectors, image modes, filter cases and the filter record. */
#ifndef VENDREL_SDK_PIFILTER_H
#define VENDREL_SDK_PIFILTER_H

#include "PIActions.h"
#include "PIColorServices.h"
#include "PIHandles.h"
#include "PITypes.h"
#include "SPBasic.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Selectors, in the order the host sends them during a run. */
enum {
    filterSelectorAbout = 0,
    filterSelectorParameters = 1,
    filterSelectorPrepare = 2,
    filterSelectorStart = 3,
    filterSelectorContinue = 4,
    filterSelectorFinish = 5
};

/* Image modes (FilterRecord::imageMode). */
enum {
    plugInModeBitmap = 0,
    plugInModeGrayScale = 1,
    plugInModeIndexedColor = 2,
    plugInModeRGBColor = 3,
    plugInModeCMYKColor = 4,
    plugInModeHSLColor = 5,
    plugInModeHSBColor = 6,
    plugInModeMultichannel = 7,
    plugInModeDuotone = 8,
    plugInModeLabColor = 9,
    plugInModeGray16 = 10,
    plugInModeRGB48 = 11,
    plugInModeLab48 = 12,
    plugInModeCMYK64 = 13,
    plugInModeDeepMultichannel = 14,
    plugInModeDuotone16 = 15
};

/* Filter cases (FilterRecord::filterCase). */
enum {
    filterCaseUnsupported = -1,
    filterCaseFlatImageNoSelection = 1,
    filterCaseFlatImageWithSelection = 2,
    filterCaseFloatingSelection = 3,
    filterCaseEditableTransparencyNoSelection = 4,
    filterCaseEditableTransparencyWithSelection = 5,
    filterCaseProtectedTransparencyNoSelection = 6,
    filterCaseProtectedTransparencyWithSelection = 7
};

typedef Boolean (*TestAbortProc)(void);
typedef void (*ProgressProc)(int32 done, int32 total);
typedef OSErr (*AdvanceStateProc)(void);

typedef struct FilterRecord {
    int32 serialNumber;
    TestAbortProc abortProc;
    ProgressProc progressProc;
    Handle parameters; /* the plug-in's settings, kept by the host between selectors and runs */

    Point imageSize; /* v: rows, h: columns */
    int16 planes;
    Rect filterRect;
    RGBColor background;
    RGBColor foreground;
    int32 maxSpace;
    int32 bufferSpace;

    Rect inRect;
    int16 inLoPlane;
    int16 inHiPlane;
    Rect outRect;
    int16 outLoPlane;
    int16 outHiPlane;

    void* inData;
    int32 inRowBytes;
    void* outData;
    int32 outRowBytes;

    Boolean isFloating;
    Boolean haveMask;
    Boolean autoMask;
    Rect maskRect;
    void* maskData;
    int32 maskRowBytes;

    int16 imageMode;
    int32 imageHRes; /* 16.16 fixed, pixels per inch */
    int32 imageVRes;

    AdvanceStateProc advanceState;
    HandleProcs* handleProcs;
    ColorServicesProc colorServices;

    int16 filterCase;
    int16 outLayerPlanes; /* colour planes of the layer, transparency excluded */
    int16 outTransparencyMask;
    int32 outColumnBytes; /* distance from one pixel to the next in a row; 0: the number of planes */
    int32 outPlaneBytes;  /* distance from one channel of a pixel to the next; 0: 1 */

    PIDescriptorParameters* descriptorParameters;
    SPBasicSuite* sSPBasic;
    void* plugInRef;
    int32 depth; /* bits per channel */
} FilterRecord;

typedef FilterRecord* FilterRecordPtr;

typedef struct AboutRecord {
    void* platformData;
    SPBasicSuite* sSPBasic;
    void* plugInRef;
} AboutRecord;

typedef AboutRecord* AboutRecordPtr;

/* The entry point every filter module exports. record is an AboutRecord for the about selector and a
   FilterRecord for every other selector; data is the plug-in's slot, kept by the host between calls. */
typedef void (*PluginMainProc)(int16 selector, void* record, intptr_t* data, int16* result);

#ifdef __cplusplus
}
#endif

#endif
