#include "AdmSuites.h"
#include "SuiteRegistry.h"

namespace vendrel {

void registerDialogManagerSuites(SuiteRegistry& registry)
{
    registry.add(kADMBasicSuite, kADMBasicSuiteVersion5, adm::basicSuite());
    registry.add(kADMDialogSuite, kADMDialogSuiteVersion5, adm::dialogSuite());
    registry.add(kADMEntrySuite, kADMEntrySuiteVersion2, adm::entrySuite());
    registry.add(kADMListSuite, kADMListSuiteVersion1, adm::listSuite());
    registry.add(kADMItemSuite, kADMItemSuiteVersion4, adm::itemSuite());
    registry.add(kADMDrawerSuite, kADMDrawerSuiteVersion3, adm::drawerSuite());
    registry.add(kADMNotifierSuite, kADMNotifierSuiteVersion2, adm::notifierSuite());
    registry.add(kADMTrackerSuite, kADMTrackerSuiteVersion1, adm::trackerSuite());
}

} // namespace vendrel
