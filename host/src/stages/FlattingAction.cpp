#include "vendrel/host/FlattingAction.h"

#include <limits>

#include "vendrel/host/PluginModule.h"

namespace vendrel {

namespace {

constexpr int32_t widestGap = 255;

[[noreturn]] void refuse(const std::string& name, const std::string& problem)
{
    throw HostError("\"stages\": \"" + name + "\" " + problem);
}

int32_t integerStep(const std::string& name, const ActionStepValue& value, int32_t high)
{
    const auto* number = std::get_if<int32_t>(&value);
    if (number == nullptr || *number < 0 || *number > high) {
        refuse(name, "must be an integer from 0 to " + std::to_string(high));
    }
    return *number;
}

bool switchStep(const std::string& name, const ActionStepValue& value)
{
    const auto* flag = std::get_if<bool>(&value);
    if (flag == nullptr) {
        refuse(name, "must be true or false");
    }
    return *flag;
}

} // namespace

ActionSteps flattingSteps(const FlattingOptions& options)
{
    return {{"paper", std::string(options.transparentPaper ? "transparent" : "opaque")},
            {"close-gaps", options.closeGaps},
            {"merge-specks", options.mergeSpecks},
            {"distinct", options.distinct},
            {"flats", options.flats}};
}

FlattingOptions flattingOptionsFrom(const ActionSteps& steps, FlattingOptions options)
{
    for (const auto& [name, value] : steps) {
        if (name == "close-gaps") {
            options.closeGaps = integerStep(name, value, widestGap);
        } else if (name == "merge-specks") {
            options.mergeSpecks = integerStep(name, value, std::numeric_limits<int32_t>::max());
        } else if (name == "flats") {
            options.flats = switchStep(name, value);
        } else if (name == "distinct") {
            options.distinct = switchStep(name, value);
        } else if (name == "paper") {
            const auto* text = std::get_if<std::string>(&value);
            if (text == nullptr || (*text != "opaque" && *text != "transparent")) {
                refuse(name, "must be \"opaque\" or \"transparent\"");
            }
            options.transparentPaper = *text == "transparent";
        } else {
            refuse(name, "is not a stage (close-gaps, merge-specks, flats, distinct, paper)");
        }
    }
    return options;
}

} // namespace vendrel
