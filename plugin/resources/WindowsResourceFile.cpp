// The module's resources as a Windows compiled resource file (.res), which windres turns into an object the
// Windows module links. Custom resources keep their four-character type as a resource type name ("PIPL",
// "AETE", "DLOG"); the logo goes in as a standard bitmap resource, whose data is exactly our bitmap's bytes
// (a bitmap info header and rows, no file header).
//
// A .res file is a sequence of entries, each: data size, header size, type, name (each a 0xFFFF-prefixed
// number or a NUL-terminated UTF-16 string), padding to 4, data version, memory flags, language, version,
// characteristics, then the data padded to 4. It opens with an empty entry that marks the format.
#include <stdexcept>
#include <string>

#include "Resources.h"

namespace {

constexpr uint16_t kStandardBitmapType = 2; // RT_BITMAP
constexpr uint16_t kMoveablePureDiscardable = 0x1030;
constexpr uint16_t kLanguageNeutral = 0;

// A resource's type or name: a number, or a text stored in UTF-16.
struct ResourceKey {
    bool numeric;
    uint16_t number;
    std::string text;
};

ResourceBytes KeyBytes(const ResourceKey& key)
{
    ResourceWriter bytes;
    if (key.numeric) {
        bytes.U16(0xFFFF);
        bytes.U16(key.number);
    } else {
        for (char c : key.text)
            bytes.U16(uint16_t(uint8_t(c)));
        bytes.U16(0);
    }
    return bytes.Result();
}

void Entry(ResourceWriter& file, const ResourceKey& type, const ResourceKey& name, uint16_t flags,
           const ResourceBytes& data)
{
    ResourceWriter header;
    header.Bytes(KeyBytes(type));
    header.Bytes(KeyBytes(name));
    header.PadTo(4);
    header.U32(0); // data version
    header.U16(flags);
    header.U16(kLanguageNeutral);
    header.U32(0); // version
    header.U32(0); // characteristics

    file.U32(uint32_t(data.size()));
    file.U32(uint32_t(8 + header.Size()));
    file.Bytes(header.Result());
    file.Bytes(data);
    file.PadTo(4);
}

ResourceKey TypeOf(const ModuleResource& resource)
{
    if (resource.type == "BMP ")
        return {true, kStandardBitmapType, {}};
    if (resource.type.size() != 4 || resource.type.find(' ') != std::string::npos)
        throw std::invalid_argument("no Windows resource type for \"" + resource.type + "\"");
    return {false, 0, resource.type};
}

} // namespace

ResourceBytes BuildWindowsResourceFile(const std::vector<ModuleResource>& resources)
{
    ResourceWriter file;
    Entry(file, {true, 0, {}}, {true, 0, {}}, 0, {});
    for (const ModuleResource& resource : resources) {
        if (resource.id < 1 || resource.id > 0xFFFF)
            throw std::invalid_argument("a Windows resource id lies in 1..65535");
        Entry(file, TypeOf(resource), {true, uint16_t(resource.id), {}}, kMoveablePureDiscardable, resource.bytes);
    }
    return file.Result();
}
