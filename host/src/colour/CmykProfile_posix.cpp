#include "CmykProfile.h"

namespace vendrel {

std::string cmykProfilePath()
{
    return VENDREL_CMYK_PROFILE;
}

} // namespace vendrel
