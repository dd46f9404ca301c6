#include "HostSuites.h"

#include <cstring>

SPBasicSuite* sSPBasic = nullptr;
CPSFilter* gCurrentFilter = nullptr;
const PSGetFileListSuite5* sPSGetFileList = nullptr;
const PSGetPathSuite1* sPSGetPath = nullptr;

const ADMBasicSuite5* sADMBasic = nullptr;
const ADMDialogSuite5* sADMDialog = nullptr;
const ADMEntrySuite2* sADMEntry = nullptr;
const ADMListSuite1* sADMList = nullptr;
const ADMItemSuite4* sADMItem = nullptr;
const ADMDrawerSuite3* sADMDrawer = nullptr;
const ADMNotifierSuite2* sADMNotifier = nullptr;
const ADMTrackerSuite1* sADMTracker = nullptr;

namespace {

// Acquires one suite into its module-wide slot; the slot keeps its value when the host refuses.
template <typename Suite> bool Acquire(const char* name, int32 version, const Suite*& slot)
{
    if (!sSPBasic || !sSPBasic->AcquireSuite)
        return false;
    const void* suite = nullptr;
    if (sSPBasic->AcquireSuite(name, version, &suite) != kSPNoError)
        return false;
    slot = static_cast<const Suite*>(suite);
    return true;
}

} // namespace

void AcquireFileSuites()
{
    if (Acquire(kPSGetFileListSuite, kPSGetFileListSuiteVersion5, sPSGetFileList))
        Acquire(kPSGetPathSuite, kPSGetPathSuiteVersion1, sPSGetPath);
}

bool AcquireADMSuites()
{
    return Acquire(kADMBasicSuite, kADMBasicSuiteVersion5, sADMBasic) &&
           Acquire(kADMDialogSuite, kADMDialogSuiteVersion5, sADMDialog) &&
           Acquire(kADMEntrySuite, kADMEntrySuiteVersion2, sADMEntry) &&
           Acquire(kADMListSuite, kADMListSuiteVersion1, sADMList) &&
           Acquire(kADMItemSuite, kADMItemSuiteVersion4, sADMItem) &&
           Acquire(kADMDrawerSuite, kADMDrawerSuiteVersion3, sADMDrawer) &&
           Acquire(kADMNotifierSuite, kADMNotifierSuiteVersion2, sADMNotifier) &&
           Acquire(kADMTrackerSuite, kADMTrackerSuiteVersion1, sADMTracker);
}

void Alert(const char* message)
{
    if (AcquireADMSuites() && sADMBasic->MessageAlert)
        sADMBasic->MessageAlert(message);
}

void GetHostPath(char* buffer, int32 size)
{
    if (!sPSGetPath || !sPSGetFileList || !buffer || size <= 0)
        return;
    SPPlatformFileSpecification folder;
    std::memset(&folder, 0, sizeof folder);
    sPSGetFileList->GetHostFolder(&folder);
    folder.path[sizeof folder.path - 1] = '\0';
    sPSGetPath->GetPathName(&folder, buffer, size);
}
