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
typedef void (*HostProc)(int16 selector, intptr_t* data);
typedef void (*ProcessEventProc)(void* event);

/* Records and procedure tables the filter record points at. This system neither reads nor provides them, so
   they stay incomplete: a pointer to them has the published size. */
typedef struct BufferProcs BufferProcs;
typedef struct ResourceProcs ResourceProcs;
typedef struct ImageServicesProcs ImageServicesProcs;
typedef struct PropertyProcs PropertyProcs;
typedef struct ChannelPortProcs ChannelPortProcs;
typedef struct ReadImageDocumentDesc ReadImageDocumentDesc;
typedef struct PSPixelMap PSPixelMap;

typedef OSErr (*DisplayPixelsProc)(const PSPixelMap* source, const VRect* srcRect, int32 dstRow, int32 dstCol,
                                   void* platformContext);
typedef OSErr (*GetPropertyProc)(OSType signature, OSType key, int32 index, intptr_t* simpleProperty,
                                 Handle* complexProperty);

typedef int32 Fixed; /* 16.16 fixed point */
typedef uint8 FilterColor[4];

/* The monitor the host displays on: gamma, primaries and white point as 16.16 fixed values. */
typedef struct PlugInMonitor {
    Fixed gamma;
    Fixed redX;
    Fixed redY;
    Fixed greenX;
    Fixed greenY;
    Fixed blueX;
    Fixed blueY;
    Fixed whiteX;
    Fixed whiteY;
    Fixed ambient;
} PlugInMonitor;

/* The filter record every host passes, field for field in the published order and types. The published
   headers pack it to 4 bytes on Windows (32- and 64-bit alike); the same packing serves every platform here,
   so a 64-bit Linux record has the 64-bit Windows layout. */
#pragma pack(push, 4)
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

    FilterColor backColor;
    FilterColor foreColor;
    OSType hostSig;
    HostProc hostProc;

    int16 imageMode;
    Fixed imageHRes; /* pixels per inch */
    Fixed imageVRes;
    Point floatCoord;
    Point wholeSize;
    PlugInMonitor monitor;

    void* platformData;
    BufferProcs* bufferProcs;
    ResourceProcs* resourceProcs;
    ProcessEventProc processEvent;
    DisplayPixelsProc displayPixels;
    HandleProcs* handleProcs;

    /* Added in 3.0. */
    Boolean supportsDummyChannels;
    Boolean supportsAlternateLayouts;
    int16 wantLayout;
    int16 filterCase;
    int16 dummyPlaneValue;
    void* premiereHook;
    AdvanceStateProc advanceState;

    Boolean supportsAbsolute;
    Boolean wantsAbsolute;
    GetPropertyProc getPropertyObsolete;
    Boolean cannotUndo;
    Boolean supportsPadding;
    int16 inputPadding;
    int16 outputPadding;
    int16 maskPadding;
    char samplingSupport;
    char reservedByte;
    Fixed inputRate;
    Fixed maskRate;
    ColorServicesProc colorServices;

    int16 inLayerPlanes;
    int16 inTransparencyMask;
    int16 inLayerMasks;
    int16 inInvertedLayerMasks;
    int16 inNonLayerPlanes;
    int16 outLayerPlanes; /* colour planes of the layer, transparency excluded */
    int16 outTransparencyMask;
    int16 outLayerMasks;
    int16 outInvertedLayerMasks;
    int16 outNonLayerPlanes;
    int16 absLayerPlanes;
    int16 absTransparencyMask;
    int16 absLayerMasks;
    int16 absInvertedLayerMasks;
    int16 absNonLayerPlanes;
    int16 inPreDummyPlanes;
    int16 inPostDummyPlanes;
    int16 outPreDummyPlanes;
    int16 outPostDummyPlanes;
    int32 inColumnBytes;
    int32 inPlaneBytes;
    int32 outColumnBytes; /* distance from one pixel to the next in a row; 0: the number of planes */
    int32 outPlaneBytes;  /* distance from one channel of a pixel to the next; 0: 1 */

    /* Added in 3.0.4. */
    ImageServicesProcs* imageServicesProcs;
    PropertyProcs* propertyProcs;
    int16 inTileHeight;
    int16 inTileWidth;
    Point inTileOrigin;
    int16 absTileHeight;
    int16 absTileWidth;
    Point absTileOrigin;
    int16 outTileHeight;
    int16 outTileWidth;
    Point outTileOrigin;
    int16 maskTileHeight;
    int16 maskTileWidth;
    Point maskTileOrigin;

    /* Added in 4.0. */
    PIDescriptorParameters* descriptorParameters;
    Str255* errorString;
    ChannelPortProcs* channelPortProcs;
    ReadImageDocumentDesc* documentInfo;

    /* Added in 5.0. */
    SPBasicSuite* sSPBasic;
    void* plugInRef;
    int32 depth; /* bits per channel */

    /* Added in 6.0. */
    Handle iCCprofileData;
    int32 iCCprofileSize;
    int32 canUseICCProfiles;

    char reserved[54]; /* zero */
} FilterRecord;
#pragma pack(pop)

typedef FilterRecord* FilterRecordPtr;

/* Passed with the about selector. Natural alignment, as published. */
typedef struct AboutRecord {
    void* platformData;
    SPBasicSuite* sSPBasic;
    void* plugInRef;
    char reserved[244]; /* zero */
} AboutRecord;

typedef AboutRecord* AboutRecordPtr;

/* The entry point every filter module exports. record is an AboutRecord for the about selector and a
   FilterRecord for every other selector; data is the plug-in's slot, kept by the host between calls. */
typedef void (*PluginMainProc)(int16 selector, void* record, intptr_t* data, int16* result);

#ifdef __cplusplus
}
#endif

#endif
