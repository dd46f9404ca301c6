// Where the CMYK ICC profile of the colour services lives.
#pragma once

#include <string>

namespace vendrel {

// On Linux the profile the build names (a system profile); on Windows the profile shipped beside the running
// program.
std::string cmykProfilePath();

} // namespace vendrel
