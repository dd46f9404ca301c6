// What the driver prepares for the engine runs besides the engine itself: the module's preferences file, from
// which its dialog starts, and a generated RGB image to fill.
#pragma once

#include <cstdint>
#include <string>

#include "vendrel/host/HostImage.h"

namespace vendrel::thirdparty {

// Writes the preferences file into the user's roaming application-data folder: the given tolerance and
// palette file, a white fill colour, every other setting at its default. Returns the file's path; throws
// std::runtime_error when the folder or the file cannot be had.
std::string WritePreferences(uint16_t tolerance, const std::string& paletteFile);

// An 8-bit RGB image of an odd width (rows of a size no multiple of four): cells closed by dark lines with
// soft edges, white cells, near-white tints, a grey ramp and saturated cells.
HostImage GeneratedRgbImage();

} // namespace vendrel::thirdparty
