#include "SettingDefaults.h"

#include "vendrel/host/FilterHost.h"

namespace vendrel {

std::optional<Descriptor> recordedDefaults(const PluginModule& module)
{
    try {
        // No host folder: the run reads no swatch file. The silent front end swallows the filter's alerts.
        FilterHost host(module, HostConfig{});
        HostImage image = HostImage::blank(1, 1);
        RunResult result = host.run(image, RunOptions{Descriptor{}, false});
        if (result.result != 0) {
            return std::nullopt;
        }
        return result.recorded;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace vendrel
