// The host's basic suite: suites are looked up by name and version in the registry of the host that is
// running (the basic suite's procedures carry no context of their own).
#pragma once

#include "SPBasic.h"
#include "SuiteRegistry.h"

namespace vendrel {

SPBasicSuite* hostBasicSuite();

// The registry AcquireSuite consults; null: every suite is missing.
void setActiveSuiteRegistry(const SuiteRegistry* registry);
const SuiteRegistry* activeSuiteRegistry();

} // namespace vendrel
