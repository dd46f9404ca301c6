// The flatting procedure's result as a layer of its own, so that the line art stays as it was.
#pragma once

#include <libgimp/gimp.h>

#include "vendrel/host/HostImage.h"

namespace vendrel::gimp {

// Adds flats (the size of the layer lineArt, read from it) as a new layer "Flats" right under lineArt, and sets
// lineArt to Multiply when it has no alpha, as the command's OpenRaster files lay them out; one undo step.
void addFlatsLayer(gint32 lineArt, const HostImage& flats);

} // namespace vendrel::gimp
