#include "vendrel/host/HostProfile.h"

#include <array>
#include <utility>

namespace vendrel {

namespace {

constexpr std::array<std::pair<HostProfile, const char*>, 4> kNames = {{
    {HostProfile::full, "full"},
    {HostProfile::noDialogManager, "no-dialog-manager"},
    {HostProfile::viewer, "viewer"},
    {HostProfile::bare, "bare"},
}};

} // namespace

std::string hostProfileName(HostProfile profile)
{
    for (const auto& [each, name] : kNames)
        if (each == profile)
            return name;
    return "full";
}

std::optional<HostProfile> hostProfileNamed(const std::string& name)
{
    for (const auto& [each, eachName] : kNames)
        if (name == eachName)
            return each;
    return std::nullopt;
}

std::vector<std::string> hostProfileNames()
{
    std::vector<std::string> names;
    for (const auto& entry : kNames)
        names.emplace_back(entry.second);
    return names;
}

bool passesDescriptors(HostProfile profile)
{
    return profile == HostProfile::full || profile == HostProfile::noDialogManager;
}

} // namespace vendrel
