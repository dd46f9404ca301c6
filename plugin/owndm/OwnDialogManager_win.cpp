// The module's own dialog manager on Windows: the platform-neutral suites over the Windows dialog platform, and
// alerts as message boxes.
#include "OwnDialogManager.h"

#include "OwnBasicSuite_win.h"
#include "OwnSuites.h"
#include "WindowsDialogPlatform_win.h"

const OwnADMSuites* OwnDialogManager()
{
    static owndm::WindowsDialogPlatform platform;
    owndm::InstallDialogPlatform(&platform);
    static const OwnADMSuites suites = {owndm::WindowsBasicSuite(), owndm::DialogSuite(), owndm::EntrySuite(),
                                        owndm::ListSuite(),         owndm::ItemSuite(),   owndm::DrawerSuite(),
                                        owndm::NotifierSuite(),     owndm::TrackerSuite()};
    return &suites;
}
