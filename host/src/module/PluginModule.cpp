#include "vendrel/host/PluginModule.h"

#include "ModuleLibrary.h"
#include "PIResources.h"
#include "vendrel/host/Descriptor.h"

namespace vendrel {

namespace {

const std::vector<uint8_t>* findResource(const ResourceMap& resources, const std::string& type, int32_t id)
{
    const auto it = resources.find({type, id});
    return it == resources.end() ? nullptr : &it->second;
}

} // namespace

std::unique_ptr<PluginModule> PluginModule::load(const std::string& path)
{
    std::unique_ptr<PluginModule> module(new PluginModule);
    module->path_ = path;
    module->resources_ = readModuleResources(path);

    const std::vector<uint8_t>* pipl = findResource(module->resources_, "PIPL", kPIPropertyListResourceID);
    if (!pipl)
        throw HostError(path + ": the module has no plug-in property list (PIPL " +
                        std::to_string(kPIPropertyListResourceID) + ")");
    try {
        module->pipl_ = parsePipl(*pipl);
        const int32_t aeteID = module->pipl_.terminologyID ? module->pipl_.terminologyID : kPITerminologyResourceID;
        if (const std::vector<uint8_t>* aete = findResource(module->resources_, "AETE", aeteID))
            module->aete_ = parseAete(*aete);
    } catch (const HostError& error) {
        throw HostError(path + ": " + error.what());
    }
    if (module->pipl_.kind != PIFilterKind)
        throw HostError(path + ": the module is not a filter (kind '" + fourCCText(module->pipl_.kind) + "')");
    const std::string entryPoint = entryPointFor(module->pipl_);
    if (entryPoint.empty())
        throw HostError(path + ": the plug-in property list names no entry point for this architecture");

    module->library_ = openModuleLibrary(path);
    void* entry = findModuleEntry(module->library_, entryPoint, path);
    module->entry_ = reinterpret_cast<PluginMainProc>(entry);
    return module;
}

PluginModule::~PluginModule()
{
    closeModuleLibrary(library_);
}

const std::vector<uint8_t>* PluginModule::resource(const std::string& type, int32_t id) const
{
    return findResource(resources_, type, id);
}

} // namespace vendrel
