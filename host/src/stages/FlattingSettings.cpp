#include "vendrel/host/FlattingSettings.h"

#include <algorithm>
#include <variant>

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

} // namespace vendrel
