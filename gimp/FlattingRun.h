// One call of the flatting procedure: the filter's run with gap closing before it and flats after it, on the
// drawable, as `vendrel run --close-gaps N --flats` does on a file.
#pragma once

#include <libgimp/gimp.h>

#include "vendrel/host/PluginModule.h"

namespace vendrel::gimp {

// values: run-mode, image, drawable, the filter's settings, then closegaps and flats.
GimpPDBStatusType runFlattingProcedure(const PluginModule& module, gint count, const GimpParam* values);

} // namespace vendrel::gimp
