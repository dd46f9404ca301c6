// The module's own dialog manager, for hosts that offer none: the same eight suites, drawn with the platform's
// native controls, so that the dialog code cannot tell it from the host's.
#pragma once

#include "ADMSuites.h"

struct OwnADMSuites {
    const ADMBasicSuite5* basic;
    const ADMDialogSuite5* dialog;
    const ADMEntrySuite2* entry;
    const ADMListSuite1* list;
    const ADMItemSuite4* item;
    const ADMDrawerSuite3* drawer;
    const ADMNotifierSuite2* notifier;
    const ADMTrackerSuite1* tracker;
};

// The module's own suites, or null where the platform has no native controls the module can draw with.
const OwnADMSuites* OwnDialogManager();

// The system's colour chooser, opened on rgb; true, with the choice in rgb, when the user confirmed it.
bool PickSystemColor(uint8 rgb[3]);
