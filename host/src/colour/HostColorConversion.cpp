// The host's conversions: the shared colour conversion with the host's own CMYK profile.
#include "CmykProfile.h"
#include "vendrel/host/ColorServices.h"

namespace vendrel {

OSErr convertHostColor(int16_t sourceSpace, int16_t resultSpace, HostColor& color)
{
    return convertColor(sourceSpace, resultSpace, color, cmykProfilePath());
}

} // namespace vendrel
