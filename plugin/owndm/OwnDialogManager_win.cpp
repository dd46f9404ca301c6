// Placeholder until the Win32 dialog manager lands.
#include "OwnDialogManager.h"

const OwnADMSuites* OwnDialogManager()
{
    return nullptr;
}

bool PickSystemColor(uint8[3])
{
    return false;
}
