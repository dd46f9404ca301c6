// The filter's settings as command options, one per parameter that the module's terminology declares.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "vendrel/host/Descriptor.h"
#include "vendrel/host/PluginModule.h"
#include "vendrel/host/SettingRange.h"

namespace vendrel {

// Whether the option also takes "auto": the fill colour and the tolerance, which a run can find in the image.
bool takesAuto(const AeteParameter& parameter);

class SettingOptions {
public:
    // Adds "--NAME" for each terminology parameter: integers ('long'), switches ('bool', "--NAME[=true|false]"),
    // colours ('Clr ', RRGGBB) and texts ('Pth ' and anything else).
    void addTo(CLI::App& command, const AeteInfo& terminology);
    // Adds each option's default to its help line, from a descriptor holding every setting at its default.
    void describeDefaults(const Descriptor& defaults);

    // The options given, over the values of base (an action's descriptor): a key given replaces the base's
    // value in place, new keys follow in terminology order. Throws UsageError naming the option.
    Descriptor overlay(const Descriptor& base) const;

    // The settings given as "auto" (the fill colour and the tolerance take it), which overlay leaves out: the run
    // works them out from the image.
    std::vector<AeteParameter> autoSettings() const;

    // The value given for the first path parameter (the palette), if any.
    std::optional<std::string> pathValue() const;
    // Replaces the value of the path parameter (after the palette was resolved to a swatch folder name).
    void setPathValue(const std::string& value);
    // The terminology key of the path parameter, 0 when there is none.
    uint32_t pathKey() const;

private:
    struct Setting {
        AeteParameter parameter;
        std::string text;
        bool switchValue = false;
        CLI::Option* option = nullptr;
        bool given() const { return option != nullptr && option->count() > 0; }
        bool isAuto() const { return given() && text == "auto" && takesAuto(parameter); }
    };
    DescriptorValue valueOf(const Setting& setting) const;
    const Setting* pathSetting() const;

    // Stable addresses: CLI11 writes into the fields of each setting.
    std::vector<std::unique_ptr<Setting>> settings_;
    std::optional<std::string> pathOverride_;
};

// Parses "RRGGBB" or "#RRGGBB" into 16-bit channels (each 8-bit value v becomes v * 257). Throws UsageError.
std::array<uint16_t, 3> parseColorOption(const std::string& option, const std::string& text);

// Parses a whole number within range. Throws UsageError naming option.
int32_t parseIntegerOption(const std::string& option, const std::string& text, const IntegerRange& range);

} // namespace vendrel
