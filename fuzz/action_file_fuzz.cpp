// Feeds arbitrary bytes to the host's action-file reader (with the filter's terminology, from its settings table) and to the
// terminology parser. Neither may crash; an action text that reads must write out and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "SettingsTable.h"
#include "vendrel/host/ActionFile.h"

namespace {

class Bytes {
public:
    Bytes& u8(uint8_t value)
    {
        bytes.push_back(value);
        return *this;
    }
    Bytes& u16(uint16_t value) { return u8(uint8_t(value)).u8(uint8_t(value >> 8)); }
    Bytes& code(const char* text) // a four-character code, stored little-endian
    {
        for (int i = 3; i >= 0; --i)
            u8(uint8_t(text[i]));
        return *this;
    }
    Bytes& pascal(const std::string& text)
    {
        u8(uint8_t(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    std::vector<uint8_t> bytes;
};

std::vector<uint8_t> filterTerminologyBytes()
{
    Bytes out;
    out.u16(1).u8(1).u8(0).u16(0).u16(0).u16(1);
    out.pascal("Orvik").pascal("Adobe example plug-ins").code("Vdrl").u16(1).u16(1).u16(1);
    out.pascal("Orvik Vendrel").pascal("vendrel plugin").code("Vdrl").code("Vdrl");
    out.code("null").pascal("").u16(0).code("#ImR").pascal("").u16(0xB000);
    out.u16(uint16_t(kTerminologyOrder.size()));
    for (const SettingDefinition* parameter : kTerminologyOrder)
        out.pascal(parameter->name).code(parameter->key).code(parameter->type).pascal(parameter->description).u16(0);
    out.u16(0).u16(0).u16(0);
    return out.bytes;
}

const vendrel::AeteInfo& terminology()
{
    static const vendrel::AeteInfo info = vendrel::parseAete(filterTerminologyBytes());
    return info;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const vendrel::Descriptor descriptor = vendrel::parseActionText(text, terminology());
        const vendrel::Descriptor again =
            vendrel::parseActionText(vendrel::actionText(descriptor, terminology()), terminology());
        if (!(again == descriptor))
            __builtin_trap();
    } catch (const vendrel::HostError&) {
    }
    try {
        vendrel::parseAete(std::vector<uint8_t>(data, data + size));
    } catch (const vendrel::HostError&) {
    }
    return 0;
}
