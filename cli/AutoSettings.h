// Settings given as "auto" (the fill colour, the tolerance), found in the image once it is loaded.
#pragma once

#include <vector>

#include "vendrel/host/Descriptor.h"
#include "vendrel/host/HostImage.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

// Works out each setting of autos from the image and puts it into the descriptor, which the filter then plays and
// records; says on stderr what it chose. With transparentPaper the image is looked at as it will be put on the
// paper. Throws UsageError for an image whose paper cannot be found this way (not RGB).
void resolveAutoSettings(const PluginModule& module, const std::vector<AeteParameter>& autos, Descriptor& descriptor,
                         const HostImage& image, bool transparentPaper);

} // namespace vendrel
