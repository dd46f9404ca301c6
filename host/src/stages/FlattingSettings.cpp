#include "vendrel/host/FlattingSettings.h"

#include <algorithm>
#include <filesystem>
#include <variant>

#include "vendrel/host/ColorServices.h"
#include "vendrel/host/SwatchFile.h"

namespace vendrel {

namespace {

constexpr uint16_t white = 65535;

uint32_t keyOf(const PluginModule& module, const char* name)
{
    const AeteParameter* parameter = module.aete().byName(name);
    if (parameter == nullptr) {
        throw HostError(std::string("the filter module has no '") + name +
                        "' parameter; gap closing and flats need it");
    }
    return parameter->key;
}

int32_t numberOf(const DescriptorValue* value, int32_t fallback)
{
    if (value == nullptr) {
        return fallback;
    }
    if (const auto* number = std::get_if<int32_t>(value)) {
        return *number;
    }
    if (const auto* real = std::get_if<double>(value)) {
        return int32_t(*real);
    }
    return fallback;
}

std::array<uint16_t, 3> colourOf(const DescriptorValue& value)
{
    std::array<uint16_t, 3> rgb = {white, white, white};
    const auto* object = std::get_if<DescriptorObject>(&value);
    if (object == nullptr || !object->value) {
        return rgb;
    }
    const uint32_t channels[] = {PIFourCC("Rd  "), PIFourCC("Grn "), PIFourCC("Bl  ")};
    for (size_t i = 0; i < 3; ++i) {
        rgb[i] = uint16_t(std::clamp(numberOf(object->value->find(channels[i]), white), 0, 65535));
    }
    return rgb;
}

const DescriptorValue* valueNamed(const PluginModule& module, const Descriptor& settings, const char* name)
{
    const AeteParameter* parameter = module.aete().byName(name);
    return parameter != nullptr ? settings.find(parameter->key) : nullptr;
}

bool switchNamed(const PluginModule& module, const Descriptor& settings, const char* name)
{
    const DescriptorValue* value = valueNamed(module, settings, name);
    const auto* flag = value != nullptr ? std::get_if<bool>(value) : nullptr;
    return flag != nullptr && *flag;
}

int16_t colourSpaceOf(const HostImage& image)
{
    switch (image.mode) {
    case plugInModeGrayScale:
        return plugIncolorServicesGraySpace;
    case plugInModeCMYKColor:
        return plugIncolorServicesCMYKSpace;
    default:
        return plugIncolorServicesRGBSpace;
    }
}

// The colour in the image's encoding, as the filter converts it through the host; nothing when it cannot.
std::optional<AreaColour> imageColour(int16_t space, HostColor colour, const HostImage& image)
{
    if (convertHostColor(space, colourSpaceOf(image), colour) != noErr) {
        return std::nullopt;
    }
    AreaColour bytes = {255, 255, 255, 255};
    for (int32_t c = 0; c < std::min(image.colorPlanes, 4); ++c) {
        bytes[size_t(c)] = uint8_t(colour[size_t(c)] & 0xFF);
    }
    return bytes;
}

std::vector<AreaColour> paletteColours(const std::string& path, const HostImage& image)
{
    std::vector<AreaColour> colours;
    std::vector<Swatch> swatches;
    try {
        swatches = readSwatchFile(path);
    } catch (const HostError&) {
        return colours; // the filter draws at random then
    }
    for (const Swatch& swatch : swatches) {
        if (const auto host = hostColorOf(swatch)) {
            if (const auto colour = imageColour(host->first, host->second, image)) {
                colours.push_back(*colour);
            }
        }
    }
    return colours;
}

} // namespace

FillWindow flattingWindow(const PluginModule& module, Descriptor& descriptor, const HostImage& image)
{
    const uint32_t colourKey = keyOf(module, "fillcolor");
    const uint32_t toleranceKey = keyOf(module, "tolerance");
    if (descriptor.find(colourKey) == nullptr) {
        descriptor.put(colourKey, colorObject({white, white, white}));
    }
    if (descriptor.find(toleranceKey) == nullptr) {
        descriptor.put(toleranceKey, int32_t(0));
    }
    return fillWindowFor(image, colourOf(*descriptor.find(colourKey)), numberOf(descriptor.find(toleranceKey), 0));
}

std::array<uint16_t, 3> flattingFillColour(const PluginModule& module, Descriptor& descriptor)
{
    const uint32_t colourKey = keyOf(module, "fillcolor");
    if (descriptor.find(colourKey) == nullptr) {
        descriptor.put(colourKey, colorObject({white, white, white}));
    }
    return colourOf(*descriptor.find(colourKey));
}

AreaColours areaColoursFor(const PluginModule& module, const Descriptor& settings, const std::string& hostFolder,
                           const HostImage& image)
{
    AreaColours colours;
    colours.channels = std::clamp(image.colorPlanes, 1, 4);
    Descriptor copy = settings;
    colours.window = flattingWindow(module, copy, image);
    const DescriptorValue* palette = valueNamed(module, settings, "palette");
    const auto* name = palette != nullptr ? std::get_if<std::string>(palette) : nullptr;
    if (name != nullptr && !name->empty() && !switchNamed(module, settings, "randomcolors")) {
        colours.palette =
            paletteColours((std::filesystem::path(hostFolder) / "Color Swatches" / *name).string(), image);
        const auto firstUsable = std::find_if(colours.palette.begin(), colours.palette.end(),
                                              [&](const AreaColour& colour) { return colours.acceptable(colour); });
        if (firstUsable == colours.palette.end()) {
            colours.palette.clear(); // the filter finds nothing it can use in it and draws at random
        }
    }
    if (const DescriptorValue* flag = valueNamed(module, settings, "flagcolor")) {
        const std::array<uint16_t, 3> rgb = colourOf(*flag);
        const HostColor host = {int16_t(rgb[0] >> 8), int16_t(rgb[1] >> 8), int16_t(rgb[2] >> 8), 0};
        const std::optional<AreaColour> converted = imageColour(plugIncolorServicesRGBSpace, host, image);
        if (!converted) {
            throw HostError("the flag colour cannot be converted into the image's " + imageModeName(image.mode) +
                            " mode");
        }
        colours.flag = *converted;
    }
    colours.measureArea = switchNamed(module, settings, "measurearea");
    colours.flagAreas = {switchNamed(module, settings, "flagareas"),
                         numberOf(valueNamed(module, settings, "flagsize"), 0)};
    colours.joinAreas = {switchNamed(module, settings, "joinareas"),
                         numberOf(valueNamed(module, settings, "joinsize"), 0)};
    return colours;
}

} // namespace vendrel
