#include "ActionFiles.h"

#include <variant>

#include "ExitCodes.h"
#include "PaletteChoice.h"
#include "SettingOptions.h"
#include "vendrel/host/ActionFile.h"
#include "vendrel/host/PrintableText.h"

namespace vendrel {

namespace {

// The values the filter would take for others (an integer out of its range) or that would lead it out of the
// swatch folder (a palette name with a path in it) are refused, naming the key.
void checkValues(const std::string& path, const Descriptor& descriptor, const AeteInfo& terminology)
{
    for (const Descriptor::Entry& entry : descriptor.entries()) {
        const AeteParameter* parameter = terminology.byKey(entry.key);
        if (parameter == nullptr) {
            continue;
        }
        const std::string where = "--action: " + path + ": \"" + parameter->name + "\" ";
        if (const auto* integer = std::get_if<int32_t>(&entry.value); integer && parameter->type == typeInteger) {
            IntegerRange range = integerRange(*parameter);
            if (!range.holds(*integer)) {
                throw UsageError(where + std::to_string(*integer) + " is out of range (" + range.text() + ")");
            }
        }
        if (const auto* text = std::get_if<std::string>(&entry.value); text && parameter->type == typePath) {
            if (!isPaletteFileName(*text)) {
                throw UsageError(where + "\"" + shortText(*text) + "\" is not a file name in the swatch folder (" +
                                 paletteNameRule + ")");
            }
        }
    }
}

} // namespace

Descriptor loadActionFile(const std::string& path, const PluginModule& module)
{
    Descriptor descriptor;
    try {
        descriptor = readActionFile(path, module.aete());
    } catch (const HostError& e) {
        throw UsageError(std::string("--action: ") + e.what());
    }
    checkValues(path, descriptor, module.aete());
    return descriptor;
}

void writeAction(PendingFile& file, const PluginModule& module, const Descriptor& recorded)
{
    writeActionFile(file, recorded, module.aete());
}

} // namespace vendrel
