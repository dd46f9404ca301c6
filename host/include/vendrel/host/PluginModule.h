// A filter module on disk: its resources, read from the file without running it, and its loaded entry point.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "PIFilter.h"

namespace vendrel {

// Every failure of the host that the user must hear about: a clear one-line message.
class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using ResourceKey = std::pair<std::string, int32_t>; // type ("PIPL") and id
using ResourceMap = std::map<ResourceKey, std::vector<uint8_t>>;

// Reads the resource directory from a module file's resource section. Throws HostError.
ResourceMap readModuleResources(const std::string& modulePath);

struct PiplInfo {
    uint32_t kind = 0;
    std::string name;         // menu item, "Vendrel..."
    std::string category;     // submenu, "Orvik"
    uint32_t version = 0;     // interface version, major in the high 16 bits
    std::string entryPoint;   // 32-bit Windows entry point ('wx86'), also the Linux module's
    std::string entryPoint64; // 64-bit Windows entry point ('8664')
    uint32_t terminologyClass = 0;
    uint32_t terminologyEvent = 0;
    int16_t terminologyID = 0;
    uint8_t modeFlags[4] = {0, 0, 0, 0};
    std::string enableExpression;
    std::vector<uint8_t> filterCaseInfo; // four bytes per filter case
    bool supportsMode(int16_t imageMode) const;
    std::string supportedModesText() const; // "RGB, CMYK"
};
PiplInfo parsePipl(const std::vector<uint8_t>& bytes); // throws HostError on malformed bytes

struct AeteParameter {
    std::string name;        // "tolerance"
    uint32_t key = 0;        // 'Tlrn'
    uint32_t type = 0;       // 'long', 'bool', 'Clr ', 'Pth '
    std::string description; // "fill tolerance"
    uint16_t flags = 0;
};
struct AeteInfo {
    std::string suiteName, suiteDescription;
    uint32_t suiteID = 0;
    std::string eventName, eventDescription;
    uint32_t eventClass = 0, eventID = 0;
    std::vector<AeteParameter> parameters;
    // Inline: action files and descriptors look parameters up without linking the module loader.
    const AeteParameter* byName(const std::string& name) const
    {
        for (const AeteParameter& parameter : parameters) {
            if (parameter.name == name) {
                return &parameter;
            }
        }
        return nullptr;
    }
    const AeteParameter* byKey(uint32_t key) const
    {
        for (const AeteParameter& parameter : parameters) {
            if (parameter.key == key) {
                return &parameter;
            }
        }
        return nullptr;
    }
};
AeteInfo parseAete(const std::vector<uint8_t>& bytes); // throws HostError on malformed bytes

class PluginModule {
public:
    // Reads the resources, checks the PIPL, loads the module and finds the entry point the PIPL names.
    static std::unique_ptr<PluginModule> load(const std::string& path);
    ~PluginModule();

    const std::string& path() const { return path_; }
    const ResourceMap& resources() const { return resources_; }
    const std::vector<uint8_t>* resource(const std::string& type, int32_t id) const;
    const PiplInfo& pipl() const { return pipl_; }
    const AeteInfo& aete() const { return aete_; }
    PluginMainProc entry() const { return entry_; }

private:
    PluginModule() = default;
    std::string path_;
    ResourceMap resources_;
    PiplInfo pipl_;
    AeteInfo aete_;
    void* library_ = nullptr;
    PluginMainProc entry_ = nullptr;
};

} // namespace vendrel
