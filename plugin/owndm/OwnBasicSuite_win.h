// "ADM Basic Suite" on Windows: alerts as message boxes.
#pragma once

#include "ADMSuites.h"

namespace owndm {

const ADMBasicSuite5* WindowsBasicSuite();

} // namespace owndm
