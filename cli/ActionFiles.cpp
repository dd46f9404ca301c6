#include "ActionFiles.h"

#include "ExitCodes.h"
#include "vendrel/host/ActionFile.h"

namespace vendrel {

Descriptor loadActionFile(const std::string& path, const PluginModule& module)
{
    try {
        return readActionFile(path, module.aete());
    } catch (const HostError& e) {
        throw UsageError(std::string("--action: ") + e.what());
    }
}

void saveActionFile(const std::string& path, const PluginModule& module, const Descriptor& recorded)
{
    writeActionFile(path, recorded, module.aete());
}

} // namespace vendrel
