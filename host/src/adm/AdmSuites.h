// The eight dialog-manager suites the host offers, each defined in its own file.
#pragma once

#include "ADMSuites.h"

namespace vendrel::adm {

const ADMBasicSuite5* basicSuite();
const ADMDialogSuite5* dialogSuite();
const ADMItemSuite4* itemSuite();
const ADMListSuite1* listSuite();
const ADMEntrySuite2* entrySuite();
const ADMDrawerSuite3* drawerSuite();
const ADMNotifierSuite2* notifierSuite();
const ADMTrackerSuite1* trackerSuite();

} // namespace vendrel::adm
