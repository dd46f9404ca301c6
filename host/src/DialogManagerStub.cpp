// Stands in for the dialog-manager registration until the host's dialog manager is linked in: the real
// definition replaces this weak one, and without it the dialog-manager suites are simply missing.
#include "SuiteRegistry.h"

namespace vendrel {

__attribute__((weak)) void registerDialogManagerSuites(SuiteRegistry& registry)
{
    (void)registry;
}

} // namespace vendrel
