#include "hostcore_resource_bytes.h"

#include "SettingsTable.h"

namespace vendrel::test {

LittleEndianBytes& LittleEndianBytes::u8(uint8_t value)
{
    bytes_.push_back(value);
    return *this;
}

LittleEndianBytes& LittleEndianBytes::u16(uint16_t value)
{
    return u8(uint8_t(value)).u8(uint8_t(value >> 8));
}

LittleEndianBytes& LittleEndianBytes::u32(uint32_t value)
{
    return u16(uint16_t(value)).u16(uint16_t(value >> 16));
}

LittleEndianBytes& LittleEndianBytes::code(const char (&text)[5])
{
    for (int i = 3; i >= 0; --i)
        u8(uint8_t(text[i]));
    return *this;
}

LittleEndianBytes& LittleEndianBytes::pascal(const std::string& text)
{
    u8(uint8_t(text.size()));
    return this->text(text);
}

LittleEndianBytes& LittleEndianBytes::raw(const std::vector<uint8_t>& bytes)
{
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

LittleEndianBytes& LittleEndianBytes::text(const std::string& text)
{
    bytes_.insert(bytes_.end(), text.begin(), text.end());
    return *this;
}

namespace {

void property(LittleEndianBytes& out, const char (&key)[5], const std::vector<uint8_t>& data)
{
    out.code("8BIM").code(key).u32(0).u32(uint32_t(data.size())).raw(data);
}

} // namespace

std::vector<uint8_t> filterPiplBytes(uint8_t modeByte)
{
    LittleEndianBytes out;
    out.u16(1).u32(0).u32(9);
    property(out, "kind", LittleEndianBytes().code("8BFM").bytes());
    property(out, "name", LittleEndianBytes().pascal("Vendrel...").u8(0).bytes());
    property(out, "catg", LittleEndianBytes().pascal("Orvik").u8(0).u8(0).bytes());
    property(out, "vers", LittleEndianBytes().u32(4u << 16).bytes());
    property(out, "wx86", LittleEndianBytes().text("PluginMain").u8(0).u8(0).bytes());
    property(out, "hstm", LittleEndianBytes().u32(0).code("Vdrl").code("Vdrl").u16(16000).u32(0).u16(0).bytes());
    property(out, "mode", LittleEndianBytes().u8(modeByte).u8(0).u8(0).u8(0).bytes());
    property(out, "enbl", LittleEndianBytes().text("in (PSHOP_ImageMode, RGBMode, CMYKMode)").u32(0).u8(0).bytes());
    LittleEndianBytes cases;
    for (int i = 0; i < 7; ++i)
        cases.u8(1).u8(1).u8(1).u8(0);
    property(out, "fici", cases.bytes());
    return out.bytes();
}

std::vector<uint8_t> filterAeteBytes()
{
    LittleEndianBytes out;
    out.u16(1).u8(1).u8(0).u16(0).u16(0).u16(1);
    out.pascal("Orvik").pascal("Adobe example plug-ins").code("Vdrl").u16(1).u16(1).u16(1);
    out.pascal("Orvik Vendrel").pascal("vendrel plugin").code("Vdrl").code("Vdrl");
    out.code("null").pascal("").u16(0);
    out.code("#ImR").pascal("").u16(0xB000);
    // The parameters come from the plug-in's settings table, the one place they are declared.
    out.u16(uint16_t(kTerminologyOrder.size()));
    for (const SettingDefinition* parameter : kTerminologyOrder)
        out.pascal(parameter->name).code(parameter->key).code(parameter->type).pascal(parameter->description).u16(0);
    out.u16(0).u16(0).u16(0);
    return out.bytes();
}

} // namespace vendrel::test
