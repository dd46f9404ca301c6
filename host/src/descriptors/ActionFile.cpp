#include "vendrel/host/ActionFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <vector>

#include "vendrel/host/PendingFile.h"
#include "vendrel/host/PrintableText.h"
#include "vendrel/host/RegularFile.h"

namespace vendrel {

namespace {

using Json = nlohmann::ordered_json;

constexpr uint32_t kTypeLong = typeInteger;
constexpr uint32_t kTypeBool = typeBoolean;
constexpr uint32_t kTypeColor = typeColor;
constexpr uint32_t kTypePath = typePath;
constexpr uint32_t kTypeText = typeChar;
constexpr uint32_t kColorClass = classRGBColor;

struct ColorComponent {
    const char* name;
    uint32_t key;
};
constexpr ColorComponent kColorComponents[] = {
    {"red", PI_FOURCC('R', 'd', ' ', ' ')},
    {"green", PI_FOURCC('G', 'r', 'n', ' ')},
    {"blue", PI_FOURCC('B', 'l', ' ', ' ')},
};

// Names and values come from the file: they are quoted cut to a line and with their control characters escaped.
[[noreturn]] void fail(const std::string& name, const std::string& problem)
{
    throw HostError("action file: \"" + shortText(name) + "\" " + problem);
}

// --- descriptor to JSON ---

Json colorToJson(const AeteParameter& parameter, const DescriptorValue& value)
{
    const auto* object = std::get_if<DescriptorObject>(&value);
    if (!object || !object->value)
        fail(parameter.name, "must be a colour object");
    Json color = Json::object();
    for (const Descriptor::Entry& entry : object->value->entries()) {
        if (entry.key == 0)
            continue; // the writer's closing entry carries nothing
        const ColorComponent* component = nullptr;
        for (const ColorComponent& known : kColorComponents)
            if (known.key == entry.key)
                component = &known;
        const auto* integer = std::get_if<int32_t>(&entry.value);
        if (!component || !integer)
            fail(parameter.name, "has an unexpected component '" + fourCCText(entry.key) + "'");
        color[component->name] = *integer;
    }
    return color;
}

// JSON holds UTF-8 text only; other bytes are refused rather than silently replaced.
Json textToJson(const AeteParameter& parameter, const std::string& text)
{
    try {
        (void)Json(text).dump();
    } catch (const Json::exception&) {
        fail(parameter.name, "is not UTF-8 text");
    }
    return text;
}

Json valueToJson(const AeteParameter& parameter, const DescriptorValue& value)
{
    switch (parameter.type) {
    case kTypeLong:
        if (const auto* integer = std::get_if<int32_t>(&value))
            return *integer;
        fail(parameter.name, "must be an integer");
    case kTypeBool:
        if (const auto* boolean = std::get_if<bool>(&value))
            return *boolean;
        if (const auto* integer = std::get_if<int32_t>(&value))
            return *integer != 0;
        fail(parameter.name, "must be a boolean");
    case kTypeColor:
        return colorToJson(parameter, value);
    case kTypePath:
    case kTypeText:
        if (const auto* text = std::get_if<std::string>(&value))
            return textToJson(parameter, *text);
        fail(parameter.name, "must be text");
    default:
        fail(parameter.name, "has the type '" + fourCCText(parameter.type) + "', which action files do not hold");
    }
}

Json descriptorToJson(const Descriptor& descriptor, const AeteInfo& terminology)
{
    Json settings = Json::object();
    for (const Descriptor::Entry& entry : descriptor.entries()) {
        const AeteParameter* parameter = terminology.byKey(entry.key);
        if (!parameter)
            throw HostError("action file: the key '" + fourCCText(entry.key) + "' has no name in the terminology");
        settings[parameter->name] = valueToJson(*parameter, entry.value);
    }
    return settings;
}

// --- JSON to descriptor ---

int32_t integerIn(const Json& value, int64_t low, int64_t high, const std::string& name, const char* problem)
{
    if (!value.is_number_integer())
        fail(name, problem);
    const bool isUnsigned = value.is_number_unsigned();
    if (isUnsigned ? value.get<uint64_t>() > uint64_t(high)
                   : (value.get<int64_t>() < low || value.get<int64_t>() > high))
        fail(name, problem);
    return int32_t(value.get<int64_t>());
}

DescriptorValue colorFromJson(const AeteParameter& parameter, const Json& value)
{
    if (!value.is_object())
        fail(parameter.name, "must be an object with red, green and blue");
    for (const auto& [component, ignored] : value.items()) {
        (void)ignored;
        bool known = false;
        for (const ColorComponent& candidate : kColorComponents)
            known = known || component == candidate.name;
        if (!known)
            fail(parameter.name,
                 "has an unknown component \"" + shortText(component) + "\" (red, green and blue are known)");
    }
    auto color = std::make_shared<Descriptor>();
    for (const ColorComponent& component : kColorComponents) {
        const auto found = value.find(component.name);
        if (found == value.end())
            continue;
        const std::string name = parameter.name + "." + component.name;
        color->put(component.key, integerIn(*found, 0, 65535, name, "must be an integer from 0 to 65535"));
    }
    return DescriptorObject{kColorClass, color};
}

DescriptorValue valueFromJson(const AeteParameter& parameter, const Json& value)
{
    switch (parameter.type) {
    case kTypeLong:
        return integerIn(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                         parameter.name, "must be an integer");
    case kTypeBool:
        if (!value.is_boolean())
            fail(parameter.name, "must be true or false");
        return value.get<bool>();
    case kTypeColor:
        return colorFromJson(parameter, value);
    case kTypePath:
    case kTypeText:
        if (!value.is_string())
            fail(parameter.name, "must be a string");
        return value.get<std::string>();
    default:
        fail(parameter.name, "has the type '" + fourCCText(parameter.type) + "', which action files do not hold");
    }
}

constexpr const char* kStepsKey = "stages";

Descriptor descriptorFromJson(const Json& settings, const AeteInfo& terminology)
{
    if (!settings.is_object())
        throw HostError("action file: the settings must be a JSON object");
    for (const auto& [name, ignored] : settings.items()) {
        (void)ignored;
        if (!terminology.byName(name) && name != kStepsKey)
            fail(name, "is not a setting of this filter");
    }
    // The file's order, so that a recorded descriptor written out and read back has its keys in their order.
    Descriptor descriptor;
    for (const auto& [name, value] : settings.items()) {
        if (name == kStepsKey)
            continue;
        const AeteParameter& parameter = *terminology.byName(name);
        DescriptorValue converted = valueFromJson(parameter, value);
        descriptor.put(parameter.key, std::move(converted));
    }
    return descriptor;
}

ActionSteps stepsFromJson(const Json& settings)
{
    ActionSteps steps;
    const auto found = settings.find(kStepsKey);
    if (found == settings.end())
        return steps;
    if (!found->is_object())
        fail(kStepsKey, "must be an object");
    for (const auto& [name, value] : found->items()) {
        const std::string where = std::string(kStepsKey) + "." + name;
        if (value.is_boolean())
            steps.emplace_back(name, value.get<bool>());
        else if (value.is_string())
            steps.emplace_back(name, value.get<std::string>());
        else
            steps.emplace_back(name, integerIn(value, std::numeric_limits<int32_t>::min(),
                                               std::numeric_limits<int32_t>::max(), where,
                                               "must be an integer, true or false, or a string"));
    }
    return steps;
}

} // namespace

std::string actionText(const Descriptor& descriptor, const AeteInfo& terminology)
{
    return actionText(descriptor, terminology, {});
}

std::string actionText(const Descriptor& descriptor, const AeteInfo& terminology, const ActionSteps& steps)
{
    Json json = descriptorToJson(descriptor, terminology);
    if (!steps.empty()) {
        Json stages = Json::object();
        for (const auto& [name, value] : steps)
            std::visit([&, &name = name](const auto& v) { stages[name] = v; }, value);
        json[kStepsKey] = stages;
    }
    return json.dump(2) + "\n";
}

namespace {

// The parser's message quotes what it read last, which may be a whole file's worth of one token: the quote is
// cut to a line.
std::string parseErrorText(const std::string& message)
{
    const std::string marker = "last read: '";
    const size_t start = message.find(marker);
    if (start == std::string::npos) {
        return shortText(message, 200);
    }
    const size_t quoted = start + marker.size();
    const size_t end = message.rfind('\'');
    const std::string token = message.substr(quoted, end > quoted ? end - quoted : std::string::npos);
    return shortText(message.substr(0, quoted), 200) + shortText(token) + "'";
}

} // namespace

Descriptor parseActionText(const std::string& text, const AeteInfo& terminology)
{
    return parseAction(text, terminology).settings;
}

Action parseAction(const std::string& text, const AeteInfo& terminology)
{
    Json settings;
    // A key given twice in one object would be taken silently, the last one winning: it is refused.
    std::vector<std::set<std::string>> keysSeen;
    const auto noKeyTwice = [&](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start) {
            keysSeen.emplace_back();
        } else if (event == Json::parse_event_t::object_end && !keysSeen.empty()) {
            keysSeen.pop_back();
        } else if (event == Json::parse_event_t::key && !keysSeen.empty()) {
            const std::string key = parsed.get<std::string>();
            if (!keysSeen.back().insert(key).second) {
                fail(key, "is given twice; an action file names each setting once");
            }
        }
        return true;
    };
    try {
        settings = Json::parse(text, noKeyTwice);
    } catch (const Json::exception& error) {
        throw HostError("action file: not valid JSON: " + parseErrorText(error.what()));
    }
    Action action;
    action.settings = descriptorFromJson(settings, terminology);
    action.steps = stepsFromJson(settings);
    return action;
}

Descriptor readActionFile(const std::string& path, const AeteInfo& terminology)
{
    return readAction(path, terminology).settings;
}

Action readAction(const std::string& path, const AeteInfo& terminology)
{
    const std::vector<uint8_t> bytes = readRegularFile(path, maxActionFileBytes);
    try {
        return parseAction(std::string(bytes.begin(), bytes.end()), terminology);
    } catch (const HostError& error) {
        throw HostError(path + ": " + error.what());
    }
}

void writeActionFile(PendingFile& file, const Descriptor& descriptor, const AeteInfo& terminology,
                     const ActionSteps& steps)
{
    file.write(actionText(descriptor, terminology, steps));
}

void writeActionFile(const std::string& path, const Descriptor& descriptor, const AeteInfo& terminology)
{
    const std::string text = actionText(descriptor, terminology);
    PendingFile file(path);
    file.write(text);
    file.commit();
}

} // namespace vendrel
