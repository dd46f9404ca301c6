// One call of the filter's procedure: the settings the run mode asks for, the drawable through the host
// library, and the result back into GIMP.
#pragma once

#include <libgimp/gimp.h>

#include "vendrel/host/PluginModule.h"

namespace vendrel::gimp {

// values: the procedure's parameters as GIMP passed them (run-mode, image, drawable, then the settings).
GimpPDBStatusType runProcedure(const PluginModule& module, gint count, const GimpParam* values);

// The filter's About box (the host's about selector), shown with GTK when the run is interactive.
GimpPDBStatusType runAbout(const PluginModule& module, gint count, const GimpParam* values);

} // namespace vendrel::gimp
