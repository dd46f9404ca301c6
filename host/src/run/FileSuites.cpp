// "Photoshop GetFileList Suite for Plug-ins" (web links, the host folder) and "Photoshop GetPath Suite for
// Plug-ins" (the path held in a platform file record).
#include <cstring>

#include "FilterSession.h"
#include "PIGetFileList.h"
#include "SuiteRegistry.h"

namespace vendrel {

namespace {

SPErr notOffered()
{
    return errPlugInHostInsufficient;
}

SPErr getFileHandleList(Handle*, Boolean)
{
    return notOffered();
}
SPErr getBrowserNameList(Handle*)
{
    return notOffered();
}
SPErr browseNameList(Handle)
{
    return notOffered();
}
SPErr getBrowserFileSpec(SPPlatformFileSpecification*)
{
    return notOffered();
}
SPErr getWebTemplateList(Handle*, Boolean)
{
    return notOffered();
}
SPErr getDefaultSystemScript(int16*)
{
    return notOffered();
}
SPErr getPreferencesFolder(SPPlatformFileSpecification*)
{
    return notOffered();
}
SPErr getPluginsFolder(SPPlatformFileSpecification*)
{
    return notOffered();
}
SPErr getPresetsFolder(SPPlatformFileSpecification*)
{
    return notOffered();
}
SPErr getSettingsFolder(SPPlatformFileSpecification*)
{
    return notOffered();
}

SPErr browseUrl(const char* url)
{
    HostContext* context = callbackContext();
    if (!url || !context || !context->frontEnd)
        return paramErr;
    context->frontEnd->browseUrl(url);
    return kSPNoError;
}

// The record's path field holds at most 299 characters; a longer folder path is refused rather than cut, since a
// cut path would name another folder.
SPErr getHostFolder(SPPlatformFileSpecification* fileSpec)
{
    if (!fileSpec)
        return paramErr;
    std::memset(fileSpec->path, 0, sizeof fileSpec->path);
    const HostContext* context = callbackContext();
    if (!context)
        return paramErr;
    if (context->hostFolder.size() >= sizeof fileSpec->path)
        return paramErr;
    std::memcpy(fileSpec->path, context->hostFolder.data(), context->hostFolder.size());
    return kSPNoError;
}

SPErr getPathName(const SPPlatformFileSpecification* fileSpec, char* path, int32 maxLength)
{
    if (!fileSpec || !path || maxLength <= 0)
        return paramErr;
    const size_t length = strnlen(fileSpec->path, sizeof fileSpec->path);
    const size_t copied = length < size_t(maxLength) ? length : size_t(maxLength) - 1;
    std::memcpy(path, fileSpec->path, copied);
    path[copied] = '\0';
    return kSPNoError;
}

const PSGetFileListSuite5 gGetFileListSuite = {
    getFileHandleList,  getBrowserNameList, browseNameList,         browseUrl,
    getBrowserFileSpec, getWebTemplateList, getDefaultSystemScript, getPreferencesFolder,
    getPluginsFolder,   getPresetsFolder,   getSettingsFolder,      getHostFolder,
};

const PSGetPathSuite1 gGetPathSuite = {getPathName};

} // namespace

void registerFileSuites(SuiteRegistry& registry)
{
    registry.add(kPSGetFileListSuite, kPSGetFileListSuiteVersion5, &gGetFileListSuite);
    registry.add(kPSGetPathSuite, kPSGetPathSuiteVersion1, &gGetPathSuite);
}

} // namespace vendrel
