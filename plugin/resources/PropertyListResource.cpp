// The plug-in property list: a filter module named "Vendrel..." in the "Orvik" submenu, entered through
// PluginMain, with scripting terminology, enabled for RGB and CMYK images only.
#include "PIResources.h"
#include "Resources.h"

namespace {

constexpr int16_t kPropertyListVersion = 1;
constexpr int32_t kFilterCaseCount = 7;

// One property: vendor, key, id 0, the data's length and the data.
void Property(ResourceWriter& list, const char (&key)[5], const ResourceBytes& data)
{
    list.Code("8BIM");
    list.Code(key);
    list.I32(0);
    list.U32(uint32_t(data.size()));
    list.Bytes(data);
}

ResourceBytes Code(const char (&code)[5])
{
    ResourceWriter data;
    data.Code(code);
    return data.Result();
}

// A length-prefixed string padded with zero bytes to a multiple of 4.
ResourceBytes PaddedPascalString(const char* text)
{
    ResourceWriter data;
    data.PascalString(text);
    data.PadTo(4);
    return data.Result();
}

ResourceBytes InterfaceVersion()
{
    ResourceWriter data;
    data.U32(uint32_t(4) << 16);
    return data.Result();
}

ResourceBytes EntryPoint()
{
    ResourceWriter data;
    data.Text("PluginMain");
    data.Zeros(2); // the terminating NUL and one more
    return data.Result();
}

ResourceBytes Terminology()
{
    ResourceWriter data;
    data.I32(0);
    data.Code("Vdrl"); // class
    data.Code("Vdrl"); // event
    data.I16(kPITerminologyResourceID);
    data.Zeros(6); // an empty scope string and padding
    return data.Result();
}

ResourceBytes ImageModes()
{
    return {PIModeFlagRGB | PIModeFlagCMYK, 0, 0, 0};
}

ResourceBytes EnableExpression()
{
    ResourceWriter data;
    data.Text("in (PSHOP_ImageMode, RGBMode, CMYKMode)");
    data.Zeros(5);
    return data.Result();
}

// The same handling for every filter case: straight input and output data, and the source is not copied to
// the destination.
ResourceBytes FilterCaseInfo()
{
    constexpr uint8_t kStraightData = 1;
    constexpr uint8_t kDontCopyToDestination = 0x01;
    ResourceWriter data;
    for (int32_t filterCase = 0; filterCase < kFilterCaseCount; ++filterCase) {
        data.U8(kStraightData);
        data.U8(kStraightData);
        data.U8(kDontCopyToDestination);
        data.U8(0);
    }
    return data.Result();
}

} // namespace

ResourceBytes BuildPropertyList(EntryPointCode entryPoint)
{
    ResourceWriter list;
    list.I16(kPropertyListVersion);
    list.I32(0); // list version
    list.I32(9); // property count
    Property(list, "kind", Code("8BFM"));
    Property(list, "name", PaddedPascalString("Vendrel..."));
    Property(list, "catg", PaddedPascalString("Orvik"));
    Property(list, "vers", InterfaceVersion());
    Property(list, entryPoint == EntryPointCode::Win64X64 ? "8664" : "wx86", EntryPoint());
    Property(list, "hstm", Terminology());
    Property(list, "mode", ImageModes());
    Property(list, "enbl", EnableExpression());
    Property(list, "fici", FilterCaseInfo());
    return list.Result();
}
