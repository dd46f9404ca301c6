/* The host's colour services: colour conversion and the colour picker. */
#ifndef VENDREL_SDK_PICOLORSERVICES_H
#define VENDREL_SDK_PICOLORSERVICES_H

#include "PITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Colour-space codes. */
enum {
    plugIncolorServicesRGBSpace = 0,
    plugIncolorServicesHSBSpace = 1,
    plugIncolorServicesCMYKSpace = 2,
    plugIncolorServicesLabSpace = 3,
    plugIncolorServicesGraySpace = 4,
    plugIncolorServicesHSLSpace = 5,
    plugIncolorServicesXYZSpace = 6,
    plugIncolorServicesChosenSpace = -1
};

/* Selectors. */
enum {
    plugIncolorServicesChooseColor = 0,
    plugIncolorServicesConvertColor = 1,
    plugIncolorServicesSamplePoint = 2,
    plugIncolorServicesGetSpecialColor = 3
};

/* The request size the plug-in announces in infoSize (the size of the record on the host's original platform). */
#define kColorServicesInfoSize 36

typedef struct ColorServicesInfo {
    int32 infoSize;
    int16 selector;
    int16 sourceSpace;
    int16 resultSpace;
    Boolean resultGamutInfoValid;
    Boolean resultInGamut;
    void* reservedSourceSpaceInfo;
    void* reservedResultSpaceInfo;
    int16 colorComponents[4];
    void* reserved;
    union {
        Str255* pickerPrompt;
        Point* globalSamplePoint;
        int32 specialColorID;
    } selectorParameter;
} ColorServicesInfo;

typedef OSErr (*ColorServicesProc)(ColorServicesInfo* info);

#ifdef __cplusplus
}
#endif

#endif
