#include "ActionFiles.h"

#include <algorithm>
#include <variant>

#include "ExitCodes.h"
#include "PaletteChoice.h"
#include "SettingOptions.h"
#include "vendrel/host/ActionFile.h"
#include "vendrel/host/FlattingAction.h"
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

Action loadActionFile(const std::string& path, const PluginModule& module)
{
    Action action;
    try {
        action = readAction(path, module.aete());
    } catch (const HostError& e) {
        throw UsageError(std::string("--action: ") + e.what());
    }
    checkValues(path, action.settings, module.aete());
    try {
        (void)flattingOptionsFrom(action.steps);
    } catch (const HostError& e) {
        throw UsageError("--action: " + path + ": " + e.what());
    }
    return action;
}

FlattingOptions stagesToPlay(const FlattingOptions& options, const std::vector<std::string>& given,
                             const Action& action)
{
    ActionSteps steps;
    for (const auto& step : action.steps) {
        if (std::find(given.begin(), given.end(), step.first) == given.end()) {
            steps.push_back(step);
        }
    }
    return flattingOptionsFrom(steps, options);
}

void writeAction(PendingFile& file, const PluginModule& module, const Descriptor& recorded,
                 const FlattingOptions& stages)
{
    writeActionFile(file, recorded, module.aete(), flattingSteps(stages));
}

} // namespace vendrel
