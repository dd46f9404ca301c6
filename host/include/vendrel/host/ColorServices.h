// The host's colour services: conversions among its colour spaces, and the colour picker, for plug-ins.
#pragma once

#include "vendrel/colour/ColorConversion.h"

namespace vendrel {

// Converts color from one host colour space to another with the host's CMYK profile (see convertColor).
OSErr convertHostColor(int16_t sourceSpace, int16_t resultSpace, HostColor& color);

// The colorServices callback of the filter record: selector 1 converts, selector 0 asks the front end's colour
// picker (userCanceledErr when the user cancels); other selectors answer paramErr.
OSErr hostColorServices(ColorServicesInfo* info);

// The colour services of a viewer's filter engine: selector 0 asks the picker as hostColorServices does; every
// other selector, converting included, answers errPlugInHostInsufficient.
OSErr pickOnlyColorServices(ColorServicesInfo* info);

} // namespace vendrel
