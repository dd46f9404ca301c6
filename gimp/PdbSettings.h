// The scripting parameters of a PDB call as the filter's scripting descriptor, in terminology order.
#pragma once

#include <array>
#include <cstdint>

#include <libgimp/gimp.h>

#include "vendrel/host/Descriptor.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel::gimp {

// A PDB colour as the filter's 16-bit channels: each channel's 8-bit value v becomes v * 257.
std::array<uint16_t, 3> settingsColor(const GimpRGB& color);

// The values after run-mode, image and drawable, one per terminology parameter. The caller has checked that
// there is one value for each; a value whose PDB type does not match its parameter, or an integer outside its
// setting's range, throws HostError.
Descriptor settingsDescriptor(const AeteInfo& terminology, const GimpParam* values);

} // namespace vendrel::gimp
