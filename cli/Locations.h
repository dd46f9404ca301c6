// Where the command finds its filter module and its presets: beside an installed command, else in the build.
#pragma once

#include <string>

namespace vendrel {

// The module to load: the installed one under the command's prefix when it exists, else the one built with
// the command.
std::string defaultModulePath();

// The folder that holds "Color Swatches": the installed presets when they exist, else the source tree's.
std::string defaultPresetsFolder();

// The file in the user's application-data folder where the filter keeps its last confirmed settings.
inline constexpr const char* filterSettingsFileName = "Vendrel Prefs";

} // namespace vendrel
