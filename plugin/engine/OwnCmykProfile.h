// The CMYK ICC profile the module converts with when its host cannot convert colours.
#pragma once

#include <string>

std::string OwnCmykProfilePath();
