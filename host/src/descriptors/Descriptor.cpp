#include "vendrel/host/Descriptor.h"

namespace vendrel {

namespace {

struct ValueEquals {
    const DescriptorValue& other;
    template <typename T> bool operator()(const T& value) const
    {
        const T* same = std::get_if<T>(&other);
        return same && equal(value, *same);
    }
    static bool equal(int32_t a, int32_t b) { return a == b; }
    static bool equal(double a, double b) { return a == b; }
    static bool equal(bool a, bool b) { return a == b; }
    static bool equal(const std::string& a, const std::string& b) { return a == b; }
    static bool equal(const DescriptorUnitFloat& a, const DescriptorUnitFloat& b)
    {
        return a.unit == b.unit && a.value == b.value;
    }
    static bool equal(const DescriptorAlias& a, const DescriptorAlias& b) { return a.bytes == b.bytes; }
    static bool equal(const DescriptorEnum& a, const DescriptorEnum& b)
    {
        return a.type == b.type && a.value == b.value;
    }
    static bool equal(const DescriptorClass& a, const DescriptorClass& b) { return a.value == b.value; }
    static bool equal(const DescriptorObject& a, const DescriptorObject& b)
    {
        if (a.classID != b.classID)
            return false;
        if (!a.value || !b.value)
            return !a.value && !b.value;
        return *a.value == *b.value;
    }
};

bool sameValue(const DescriptorValue& a, const DescriptorValue& b)
{
    return std::visit(ValueEquals{b}, a);
}

} // namespace

void Descriptor::put(DescriptorKeyID key, DescriptorValue value)
{
    entries_.push_back({key, std::move(value)});
}

const DescriptorValue* Descriptor::find(DescriptorKeyID key) const
{
    for (const Entry& entry : entries_)
        if (entry.key == key)
            return &entry.value;
    return nullptr;
}

bool Descriptor::operator==(const Descriptor& other) const
{
    if (entries_.size() != other.entries_.size())
        return false;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].key != other.entries_[i].key || !sameValue(entries_[i].value, other.entries_[i].value))
            return false;
    return true;
}

DescriptorObject colorObject(const std::array<uint16_t, 3>& rgb)
{
    auto components = std::make_shared<Descriptor>();
    components->put(PIFourCC("Rd  "), int32_t(rgb[0]));
    components->put(PIFourCC("Grn "), int32_t(rgb[1]));
    components->put(PIFourCC("Bl  "), int32_t(rgb[2]));
    return DescriptorObject{classRGBColor, components};
}

std::string fourCCText(uint32_t code)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = char((code >> shift) & 0xFF);
        text += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return text;
}

} // namespace vendrel
