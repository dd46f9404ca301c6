/* "Photoshop GetFileList Suite for Plug-ins" and "Photoshop GetPath Suite for Plug-ins". */
#ifndef VENDREL_SDK_PIGETFILELIST_H
#define VENDREL_SDK_PIGETFILELIST_H

#include "PITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kPSGetFileListSuite "Photoshop GetFileList Suite for Plug-ins"
#define kPSGetFileListSuiteVersion5 5

typedef struct PSGetFileListSuite5 {
    SPErr (*GetFileHandleList)(Handle* fileList, Boolean recurse);
    SPErr (*GetBrowserNameList)(Handle* nameList);
    SPErr (*BrowseNameList)(Handle nameList);
    SPErr (*BrowseUrl)(const char* url);
    SPErr (*GetBrowserFileSpec)(SPPlatformFileSpecification* fileSpec);
    SPErr (*GetWebTemplateList)(Handle* fileList, Boolean recurse);
    SPErr (*GetDefaultSystemScript)(int16* script);
    SPErr (*GetPreferencesFolder)(SPPlatformFileSpecification* fileSpec);
    SPErr (*GetPluginsFolder)(SPPlatformFileSpecification* fileSpec);
    SPErr (*GetPresetsFolder)(SPPlatformFileSpecification* fileSpec);
    SPErr (*GetSettingsFolder)(SPPlatformFileSpecification* fileSpec);
    SPErr (*GetHostFolder)(SPPlatformFileSpecification* fileSpec); /* the folder that holds "Color Swatches" */
} PSGetFileListSuite5;

#define kPSGetPathSuite "Photoshop GetPath Suite for Plug-ins"
#define kPSGetPathSuiteVersion1 1

typedef struct PSGetPathSuite1 {
    /* Writes the NUL-terminated path of fileSpec into path, at most maxLength bytes including the NUL. */
    SPErr (*GetPathName)(const SPPlatformFileSpecification* fileSpec, char* path, int32 maxLength);
} PSGetPathSuite1;

#ifdef __cplusplus
}
#endif

#endif
