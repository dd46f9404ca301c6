#include "OwnCmykProfile.h"

// The system profile that the host on this platform uses too, so that both convert alike.
std::string OwnCmykProfilePath()
{
    return VENDREL_CMYK_PROFILE;
}
