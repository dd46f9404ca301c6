// A GIMP drawable as the host's image: read whole, written back through the drawable's shadow buffer so that
// the selection masks the result and one undo step restores the layer.
#pragma once

#include <string>

#include <libgimp/gimp.h>

#include "vendrel/host/HostImage.h"

namespace vendrel::gimp {

// Why the filter cannot run on this drawable (empty when it can): it takes 8-bit perceptual RGB, with or
// without alpha.
std::string drawableProblem(gint32 drawable);

// The drawable's pixels in its own 8-bit format; alpha becomes a plane the filter never sees.
HostImage readDrawable(gint32 drawable);

// Writes the pixels to the shadow buffer and merges it into the drawable as one undo step.
void writeDrawable(gint32 drawable, const HostImage& image);

} // namespace vendrel::gimp
