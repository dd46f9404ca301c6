// What a host offers a filter. Hosts people run today withhold facilities that ours has; a profile makes our host
// withhold them the same way, so that a module can be tried as those hosts would run it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vendrel {

enum class HostProfile {
    full,            // everything: basic suite with every suite, descriptors, colour conversion and picker
    noDialogManager, // a current image editor: everything but the dialog-manager suites
    viewer,          // a viewer's filter engine: no basic suite, descriptor procedures null, colour services that
                     // only pick a colour (conversion answers "host insufficient")
    bare,            // nothing optional: no basic suite, no descriptor parameters, no colour services
};

// The profile's name as options and messages spell it ("full", "no-dialog-manager", "viewer", "bare").
std::string hostProfileName(HostProfile profile);
// The profile of a name, or nothing for a name that is none.
std::optional<HostProfile> hostProfileNamed(const std::string& name);
std::vector<std::string> hostProfileNames();

// Whether the host hands the filter settings through descriptors (so that options and actions reach it).
bool passesDescriptors(HostProfile profile);

} // namespace vendrel
