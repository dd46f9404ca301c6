// The host's dialog-manager suites in a registry of their own, and a call context whose front end is scripted,
// made the current one for as long as this lives (the one before it comes back after).
#pragma once

#include "../../host/src/suites/HostContext.h" // the host's internal registry and call context
#include "../../host/src/suites/SuiteRegistry.h"
#include "vendrel/host/ScriptedFrontEnd.h"

namespace vendrel::test {

class DialogSuitesHost {
public:
    DialogSuitesHost() : savedContext_(currentHostContext())
    {
        registerDialogManagerSuites(registry);
        context.frontEnd = &frontEnd;
        setCurrentHostContext(&context);
    }
    ~DialogSuitesHost() { setCurrentHostContext(savedContext_); }

    DialogSuitesHost(const DialogSuitesHost&) = delete;
    DialogSuitesHost& operator=(const DialogSuitesHost&) = delete;

    SuiteRegistry registry;
    HostContext context;
    ScriptedFrontEnd frontEnd;

private:
    HostContext* savedContext_;
};

} // namespace vendrel::test
