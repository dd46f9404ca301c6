// Module-wide pointers to the host's suites, and the small shell services built on them.
#pragma once

#include "ADMSuites.h"
#include "PIGetFileList.h"
#include "SPBasic.h"

class CPSFilter;

// Plain module-wide state: the host calls the plug-in on one thread, one selector at a time.
extern SPBasicSuite* sSPBasic;
extern CPSFilter* gCurrentFilter;
extern const PSGetFileListSuite5* sPSGetFileList;
extern const PSGetPathSuite1* sPSGetPath;

extern const ADMBasicSuite5* sADMBasic;
extern const ADMDialogSuite5* sADMDialog;
extern const ADMEntrySuite2* sADMEntry;
extern const ADMListSuite1* sADMList;
extern const ADMItemSuite4* sADMItem;
extern const ADMDrawerSuite3* sADMDrawer;
extern const ADMNotifierSuite2* sADMNotifier;
extern const ADMTrackerSuite1* sADMTracker;

// Acquires the GetFileList and GetPath suites afresh; failures keep the earlier pointers. Without a basic suite
// both count as missing.
void AcquireFileSuites();

// Acquires the eight dialog-manager suites from the host, or, when it cannot offer all eight, takes the module's
// own; true only when one of the two gave all eight.
bool AcquireADMSuites();

// Shows a modal message through the dialog manager; shows nothing when it is missing.
void Alert(const char* message);

// Writes the host's folder path into buffer; writes nothing when either path suite is missing.
void GetHostPath(char* buffer, int32 size);

inline constexpr int32 kHostPathSize = 2048;
