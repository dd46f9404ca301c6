// Linux offers no native controls a module can draw with on its own: hosts here bring their dialog manager.
#include "OwnDialogManager.h"

const OwnADMSuites* OwnDialogManager()
{
    return nullptr;
}

bool PickSystemColor(uint8[3])
{
    return false;
}
