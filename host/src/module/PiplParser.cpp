// The plug-in property list: what the host learns about a filter before running it.
#include "ByteReader.h"
#include "PIResources.h"
#include "vendrel/host/Descriptor.h"
#include "vendrel/host/HostImage.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

namespace {

// A NUL-terminated string inside a property's data (the whole data when there is no NUL).
std::string cString(const std::vector<uint8_t>& data)
{
    std::string text;
    for (uint8_t c : data) {
        if (c == 0)
            break;
        text += char(c);
    }
    return text;
}

void readTerminology(PiplInfo& info, const std::vector<uint8_t>& data)
{
    ByteReader in(data.data(), data.size(), "PIPL 'hstm' property");
    in.u32("terminology version");
    info.terminologyClass = in.u32("terminology class");
    info.terminologyEvent = in.u32("terminology event");
    info.terminologyID = in.i16("terminology resource id");
}

void readProperty(PiplInfo& info, uint32_t key, const std::vector<uint8_t>& data)
{
    ByteReader in(data.data(), data.size(), "PIPL '" + fourCCText(key) + "' property");
    switch (key) {
    case PIKindProperty:
        info.kind = in.u32("kind");
        break;
    case PINameProperty:
        info.name = in.pascalString("name");
        break;
    case PICategoryProperty:
        info.category = in.pascalString("category");
        break;
    case PIVersionProperty:
        info.version = in.u32("version");
        break;
    case PIWin32X86CodeProperty:
        info.entryPoint = cString(data);
        break;
    case PIWin64X86CodeProperty:
        info.entryPoint64 = cString(data);
        break;
    case PIHasTerminologyProperty:
        readTerminology(info, data);
        break;
    case PIImageModesProperty:
        for (size_t i = 0; i < 4 && i < data.size(); ++i)
            info.modeFlags[i] = data[i];
        if (data.size() < 2)
            in.fail("needs at least 2 bytes");
        break;
    case PIEnableInfoProperty:
        info.enableExpression = cString(data);
        break;
    case PIFilterCaseInfoProperty:
        info.filterCaseInfo = data;
        break;
    default:
        break; // properties the host does not use
    }
}

struct ModeBit {
    int16_t mode;
    int byteIndex;
    uint8_t bit;
};

constexpr ModeBit kModeBits[] = {
    {plugInModeBitmap, 0, PIModeFlagBitmap},        {plugInModeGrayScale, 0, PIModeFlagGrayScale},
    {plugInModeIndexedColor, 0, PIModeFlagIndexed}, {plugInModeRGBColor, 0, PIModeFlagRGB},
    {plugInModeCMYKColor, 0, PIModeFlagCMYK},       {plugInModeHSLColor, 0, PIModeFlagHSL},
    {plugInModeHSBColor, 0, PIModeFlagHSB},         {plugInModeMultichannel, 0, PIModeFlagMultichannel},
    {plugInModeDuotone, 1, PIModeFlag2Duotone},     {plugInModeLabColor, 1, PIModeFlag2Lab},
};

} // namespace

PiplInfo parsePipl(const std::vector<uint8_t>& bytes)
{
    ByteReader in(bytes.data(), bytes.size(), "PIPL");
    if (in.u16("resource version") != 1)
        in.fail("unsupported resource version");
    if (in.u32("list version") != 0)
        in.fail("unsupported list version");
    const uint32_t count = in.u32("property count");
    PiplInfo info;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t vendor = in.u32("vendor");
        const uint32_t key = in.u32("property key");
        in.u32("property id");
        const uint32_t length = in.u32("property length");
        const std::vector<uint8_t> data = in.bytes(length, "property data");
        if (vendor == PIPLVendor8BIM)
            readProperty(info, key, data);
    }
    return info;
}

bool PiplInfo::supportsMode(int16_t imageMode) const
{
    for (const ModeBit& entry : kModeBits)
        if (entry.mode == imageMode)
            return (modeFlags[entry.byteIndex] & entry.bit) != 0;
    return false; // 16-bit and other modes are never enabled by these flags
}

std::string PiplInfo::supportedModesText() const
{
    std::string text;
    for (const ModeBit& entry : kModeBits) {
        if (!supportsMode(entry.mode))
            continue;
        if (!text.empty())
            text += ", ";
        text += imageModeName(entry.mode);
    }
    return text;
}

} // namespace vendrel
