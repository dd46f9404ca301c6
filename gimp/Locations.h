// Where the GIMP plug-in program finds its filter module and the presets: beside itself when installed,
// else in the build and source trees.
#pragma once

#include <string>

namespace vendrel::gimp {

// Vendrel.8bf beside the program when it is there, else the module built with the program.
std::string modulePath();

// The folder that holds "Color Swatches": $VENDREL_PRESETS when set, else the presets installed beside the
// program, else the source tree's.
std::string presetsFolder();

// The file in the user's application-data folder where the filter keeps its last confirmed settings.
inline constexpr const char* filterSettingsFileName = "Vendrel Prefs";

} // namespace vendrel::gimp
