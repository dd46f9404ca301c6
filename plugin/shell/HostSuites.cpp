#include "HostSuites.h"

#include <cstring>

#include "OwnDialogManager.h"

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
    // A host without a basic suite offers none of the suites that come through it.
    if (!sSPBasic) {
        sPSGetFileList = nullptr;
        sPSGetPath = nullptr;
        return;
    }
    if (Acquire(kPSGetFileListSuite, kPSGetFileListSuiteVersion5, sPSGetFileList))
        Acquire(kPSGetPathSuite, kPSGetPathSuiteVersion1, sPSGetPath);
}

namespace {

bool AcquireHostADMSuites()
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

// All eight from the module's own dialog manager: suites of two managers never mix, since their objects do not.
bool UseOwnADMSuites()
{
    const OwnADMSuites* own = OwnDialogManager();
    if (!own)
        return false;
    sADMBasic = own->basic;
    sADMDialog = own->dialog;
    sADMEntry = own->entry;
    sADMList = own->list;
    sADMItem = own->item;
    sADMDrawer = own->drawer;
    sADMNotifier = own->notifier;
    sADMTracker = own->tracker;
    return true;
}

} // namespace

bool AcquireADMSuites()
{
    // The host's dialog manager when it offers all of it; otherwise the module's own, where the platform has one.
    return AcquireHostADMSuites() || UseOwnADMSuites();
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
