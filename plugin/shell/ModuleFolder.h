// Where the module file itself lives: the home of what ships beside it (the swatch folder, the CMYK profile)
// when the host names no folder of its own.
#pragma once

#include <string>

// The folder of the module file, without a closing separator; empty when the system cannot say.
std::string ModuleFolder();
