// The own dialog manager's suite tables; the basic suite (alerts) is the platform's.
#pragma once

#include "ADMSuites.h"

namespace owndm {

const ADMDialogSuite5* DialogSuite();
const ADMItemSuite4* ItemSuite();
const ADMListSuite1* ListSuite();
const ADMEntrySuite2* EntrySuite();
const ADMDrawerSuite3* DrawerSuite();
const ADMNotifierSuite2* NotifierSuite();
const ADMTrackerSuite1* TrackerSuite();

} // namespace owndm
