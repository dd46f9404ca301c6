// vendrel info: what the module's resources declare, read from the file.
#include <cstdio>

#include "Commands.h"
#include "ExitCodes.h"
#include "vendrel/host/Descriptor.h"
#include "vendrel/host/MacRoman.h"

namespace vendrel {

namespace {

std::string typeName(uint32_t type)
{
    switch (type) {
    case typeInteger:
        return "integer";
    case typeBoolean:
        return "true|false";
    case typeColor:
        return "colour RRGGBB";
    case typePath:
        return "swatch file";
    default:
        return "'" + fourCCText(type) + "'";
    }
}

} // namespace

int showInfo(const PluginModule& module)
{
    const PiplInfo& pipl = module.pipl();
    const AeteInfo& aete = module.aete();
    std::printf("module:      %s\n", module.path().c_str());
    std::printf("menu:        %s > %s\n", macRomanToUtf8(pipl.category).c_str(), macRomanToUtf8(pipl.name).c_str());
    // A 64-bit Windows module names its entry point under the 64-bit property alone.
    const std::string& entryPoint = pipl.entryPoint.empty() ? pipl.entryPoint64 : pipl.entryPoint;
    std::printf("entry point: %s\n", entryPoint.c_str());
    std::printf("modes:       %s\n", pipl.supportedModesText().c_str());
    std::printf("enabled:     %s\n", pipl.enableExpression.c_str());
    std::printf("scripting:   %s (%s), event '%s'\n", macRomanToUtf8(aete.eventName).c_str(),
                macRomanToUtf8(aete.eventDescription).c_str(), fourCCText(aete.eventID).c_str());
    std::printf("parameters:\n");
    for (const AeteParameter& parameter : aete.parameters) {
        std::printf("  --%-14s '%s'  %-14s %s\n", parameter.name.c_str(), fourCCText(parameter.key).c_str(),
                    typeName(parameter.type).c_str(), macRomanToUtf8(parameter.description).c_str());
    }
    return exitSuccess;
}

} // namespace vendrel
