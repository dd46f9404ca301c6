#include "SettingOptions.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <vector>

#include "ExitCodes.h"
#include "PITypes.h"

namespace vendrel {

namespace {

constexpr uint32_t integerType = typeInteger;
constexpr uint32_t switchType = typeBoolean;
constexpr uint32_t colorType = typeColor;
constexpr uint32_t pathType = typePath;

std::string optionName(const AeteParameter& parameter)
{
    return "--" + parameter.name;
}

// How the value is written, when the placeholder does not say it all.
std::string valueForm(const AeteParameter& parameter)
{
    if (takesAuto(parameter)) {
        return parameter.type == colorType
                   ? "RRGGBB, or auto: the paper's colour, found in the image"
                   : "8-bit levels each channel may differ by; above 254 every colour matches; or auto: one that keeps "
                     "the ink out, found in the image";
    }
    switch (parameter.type) {
    case switchType:
        return "=true|false";
    case colorType:
        return "RRGGBB";
    case pathType:
        return "a swatch file name in the presets' \"Color Swatches\" or a path";
    default:
        return "";
    }
}

// A default as the option would be written: a colour as RRGGBB, a switch as true or false, no text as "none".
std::string defaultText(const DescriptorValue& value)
{
    constexpr char hexDigits[] = "0123456789ABCDEF";
    if (const auto* number = std::get_if<int32_t>(&value)) {
        return std::to_string(*number);
    }
    if (const auto* flag = std::get_if<bool>(&value)) {
        return *flag ? "true" : "false";
    }
    if (const auto* text = std::get_if<std::string>(&value)) {
        return text->empty() ? "none" : *text;
    }
    if (const auto* object = std::get_if<DescriptorObject>(&value); object && object->value) {
        std::string hex;
        for (uint32_t component : {PIFourCC("Rd  "), PIFourCC("Grn "), PIFourCC("Bl  ")}) {
            const DescriptorValue* channel = object->value->find(component);
            const auto* level = channel ? std::get_if<int32_t>(channel) : nullptr;
            // The 16-bit channel back to the 8 bits the option takes (v * 257).
            const unsigned byte = level ? unsigned(std::clamp(*level, 0, 65535) + 128) / 257 : 0u;
            hex += hexDigits[byte >> 4];
            hex += hexDigits[byte & 15];
        }
        return hex;
    }
    return "?";
}

// The help line: the terminology's description, then the value's form, default and range, as far as known.
std::string helpText(const AeteParameter& parameter, const DescriptorValue* initial)
{
    std::vector<std::string> details;
    if (std::string form = valueForm(parameter); !form.empty()) {
        details.push_back(form);
    }
    if (initial != nullptr) {
        details.push_back("default " + defaultText(*initial));
    }
    if (parameter.type == integerType) {
        const IntegerRange range = integerRange(parameter);
        details.push_back("range " + std::to_string(range.low) + ".." + std::to_string(range.high));
    }
    std::string text = parameter.description;
    for (size_t i = 0; i < details.size(); ++i) {
        text += (i == 0 ? " (" : ", ") + details[i];
    }
    return details.empty() ? text : text + ")";
}

// What the help shows for an option's value.
const char* placeholder(const AeteParameter& parameter)
{
    switch (parameter.type) {
    case integerType:
        return "N";
    case colorType:
        return "RRGGBB";
    default:
        return "NAME";
    }
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

bool takesAuto(const AeteParameter& parameter)
{
    return (parameter.name == "fillcolor" && parameter.type == colorType) ||
           (parameter.name == "tolerance" && parameter.type == integerType);
}

std::array<uint16_t, 3> parseColorOption(const std::string& option, const std::string& text)
{
    std::string digits = !text.empty() && text[0] == '#' ? text.substr(1) : text;
    bool valid = digits.size() == 6;
    for (char c : digits) {
        valid = valid && hexDigit(c) >= 0;
    }
    if (!valid) {
        throw UsageError(option + ": '" + text + "' is not a colour; write six hexadecimal digits RRGGBB");
    }
    std::array<uint16_t, 3> rgb{};
    for (size_t i = 0; i < 3; ++i) {
        int value = hexDigit(digits[2 * i]) * 16 + hexDigit(digits[2 * i + 1]);
        rgb[i] = uint16_t(value * 257);
    }
    return rgb;
}

int32_t parseIntegerOption(const std::string& option, const std::string& text, const IntegerRange& range)
{
    int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        throw UsageError(option + ": '" + text + "' is not a whole number");
    }
    if (!range.holds(value)) {
        throw UsageError(option + ": " + text + " is out of range (" + range.text() + ")");
    }
    return int32_t(value);
}

void SettingOptions::addTo(CLI::App& command, const AeteInfo& terminology)
{
    for (const AeteParameter& parameter : terminology.parameters) {
        auto setting = std::make_unique<Setting>();
        setting->parameter = parameter;
        std::string name = optionName(parameter);
        if (parameter.type == switchType) {
            setting->option = command.add_flag(name, setting->switchValue, helpText(parameter, nullptr));
        } else {
            setting->option = command.add_option(name, setting->text, helpText(parameter, nullptr));
            setting->option->type_name(placeholder(parameter));
        }
        setting->option->group("Settings");
        settings_.push_back(std::move(setting));
    }
}

void SettingOptions::describeDefaults(const Descriptor& defaults)
{
    for (const auto& setting : settings_) {
        setting->option->description(helpText(setting->parameter, defaults.find(setting->parameter.key)));
    }
}

DescriptorValue SettingOptions::valueOf(const Setting& setting) const
{
    std::string name = optionName(setting.parameter);
    switch (setting.parameter.type) {
    case integerType:
        return parseIntegerOption(name, setting.text, integerRange(setting.parameter));
    case switchType:
        return setting.switchValue;
    case colorType:
        return colorObject(parseColorOption(name, setting.text));
    case pathType:
        return pathOverride_.value_or(setting.text);
    default:
        return setting.text;
    }
}

Descriptor SettingOptions::overlay(const Descriptor& base) const
{
    std::vector<std::pair<DescriptorKeyID, DescriptorValue>> given;
    for (const auto& setting : settings_) {
        if (setting->given() && !setting->isAuto()) {
            given.emplace_back(setting->parameter.key, valueOf(*setting));
        }
    }
    auto givenValue = [&](DescriptorKeyID key) -> const DescriptorValue* {
        for (const auto& [givenKey, value] : given) {
            if (givenKey == key) {
                return &value;
            }
        }
        return nullptr;
    };
    Descriptor result;
    for (const Descriptor::Entry& entry : base.entries()) {
        const DescriptorValue* replacement = givenValue(entry.key);
        result.put(entry.key, replacement ? *replacement : entry.value);
    }
    for (const auto& [key, value] : given) {
        if (base.find(key) == nullptr) {
            result.put(key, value);
        }
    }
    return result;
}

std::vector<AeteParameter> SettingOptions::autoSettings() const
{
    std::vector<AeteParameter> parameters;
    for (const auto& setting : settings_) {
        if (setting->isAuto()) {
            parameters.push_back(setting->parameter);
        }
    }
    return parameters;
}

const SettingOptions::Setting* SettingOptions::pathSetting() const
{
    for (const auto& setting : settings_) {
        if (setting->parameter.type == pathType) {
            return setting.get();
        }
    }
    return nullptr;
}

std::optional<std::string> SettingOptions::pathValue() const
{
    const Setting* setting = pathSetting();
    if (setting == nullptr || !setting->given()) {
        return std::nullopt;
    }
    return setting->text;
}

void SettingOptions::setPathValue(const std::string& value)
{
    pathOverride_ = value;
}

uint32_t SettingOptions::pathKey() const
{
    const Setting* setting = pathSetting();
    return setting ? setting->parameter.key : 0;
}

} // namespace vendrel
