// The about selector: the About box, shown modally on the host's dialog manager.
#include "CAboutBox.h"
#include "CVendrel.h"
#include "DialogResources.h"
#include "HostSuites.h"

int16 CVendrel::About()
{
    if (!AcquireADMSuites())
        return noErr;
    if (!sADMDialog)
        return -1;
    CAboutBox box(GetPluginRef(), AboutText());
    return box.Run(kVendrelDialogID) ? 1 : 0;
}
