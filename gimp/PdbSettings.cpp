#include "PdbSettings.h"

#include "PIActions.h"
#include "Procedure.h"
#include "vendrel/host/SettingRange.h"

namespace vendrel::gimp {

namespace {

DescriptorValue valueOf(const AeteParameter& parameter, const GimpParam& value)
{
    if (value.type != pdbTypeFor(parameter.type)) {
        throw HostError("parameter " + parameter.name + " has the wrong type");
    }
    switch (parameter.type) {
    case typeColor:
        return colorObject(settingsColor(value.data.d_color));
    case typeInteger: {
        // The filter would take a value outside the setting's range as another one: refused as the command does.
        const IntegerRange range = integerRange(parameter);
        if (!range.holds(value.data.d_int32)) {
            throw HostError(parameter.name + ": " + std::to_string(value.data.d_int32) + " is out of range (" +
                            range.text() + ")");
        }
        return int32_t(value.data.d_int32);
    }
    case typeBoolean:
        return value.data.d_int32 != 0;
    default:
        return std::string(value.data.d_string != nullptr ? value.data.d_string : "");
    }
}

} // namespace

std::array<uint16_t, 3> settingsColor(const GimpRGB& color)
{
    guchar red = 0, green = 0, blue = 0;
    gimp_rgb_get_uchar(&color, &red, &green, &blue);
    return {uint16_t(red * 257), uint16_t(green * 257), uint16_t(blue * 257)};
}

Descriptor settingsDescriptor(const AeteInfo& terminology, const GimpParam* values)
{
    Descriptor descriptor;
    for (size_t i = 0; i < terminology.parameters.size(); ++i) {
        const AeteParameter& parameter = terminology.parameters[i];
        descriptor.put(parameter.key, valueOf(parameter, values[i]));
    }
    return descriptor;
}

} // namespace vendrel::gimp
