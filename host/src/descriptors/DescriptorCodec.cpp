// The byte form of a descriptor inside a descriptor handle: a magic word, the entry count, then per entry the
// key, a value tag and the value. Integers are little-endian; nested objects carry their own byte form.
#include <cstring>

#include "ByteReader.h"
#include "vendrel/host/Descriptor.h"
#include "vendrel/host/HostHandles.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

namespace {

constexpr uint32_t kMagic = PI_FOURCC('V', 'D', 'S', 'C');
constexpr int kMaxDepth = 32;

void putU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

void putBytes(std::vector<uint8_t>& out, const std::string& bytes)
{
    putU32(out, uint32_t(bytes.size()));
    out.insert(out.end(), bytes.begin(), bytes.end());
}

void putDouble(std::vector<uint8_t>& out, double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    putU32(out, uint32_t(bits));
    putU32(out, uint32_t(bits >> 32));
}

void encodeInto(std::vector<uint8_t>& out, const Descriptor& descriptor);

struct ValueEncoder {
    std::vector<uint8_t>& out;
    void operator()(int32_t value) const { putU32(out, uint32_t(value)); }
    void operator()(double value) const { putDouble(out, value); }
    void operator()(const DescriptorUnitFloat& value) const
    {
        putU32(out, value.unit);
        putDouble(out, value.value);
    }
    void operator()(bool value) const { out.push_back(value ? 1 : 0); }
    void operator()(const std::string& value) const { putBytes(out, value); }
    void operator()(const DescriptorAlias& value) const { putBytes(out, value.bytes); }
    void operator()(const DescriptorEnum& value) const
    {
        putU32(out, value.type);
        putU32(out, value.value);
    }
    void operator()(const DescriptorClass& value) const { putU32(out, value.value); }
    void operator()(const DescriptorObject& value) const
    {
        putU32(out, value.classID);
        std::vector<uint8_t> nested;
        encodeInto(nested, value.value ? *value.value : Descriptor{});
        putU32(out, uint32_t(nested.size()));
        out.insert(out.end(), nested.begin(), nested.end());
    }
};

void encodeInto(std::vector<uint8_t>& out, const Descriptor& descriptor)
{
    putU32(out, kMagic);
    putU32(out, uint32_t(descriptor.entries().size()));
    for (const Descriptor::Entry& entry : descriptor.entries()) {
        putU32(out, entry.key);
        out.push_back(uint8_t(entry.value.index()));
        std::visit(ValueEncoder{out}, entry.value);
    }
}

double readDouble(ByteReader& in)
{
    const uint64_t low = in.u32("value");
    const uint64_t bits = low | (uint64_t(in.u32("value")) << 32);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string readBytes(ByteReader& in)
{
    const uint32_t length = in.u32("length");
    const std::vector<uint8_t> bytes = in.bytes(length, "text");
    return std::string(bytes.begin(), bytes.end());
}

Descriptor decodeFrom(ByteReader& in, int depth);

DescriptorValue readValue(ByteReader& in, uint8_t tag, int depth)
{
    switch (tag) {
    case 0:
        return int32_t(in.u32("integer"));
    case 1:
        return readDouble(in);
    case 2: {
        const uint32_t unit = in.u32("unit");
        return DescriptorUnitFloat{unit, readDouble(in)};
    }
    case 3:
        return in.u8("boolean") != 0;
    case 4:
        return readBytes(in);
    case 5:
        return DescriptorAlias{readBytes(in)};
    case 6: {
        const uint32_t type = in.u32("enumeration type");
        return DescriptorEnum{type, in.u32("enumeration value")};
    }
    case 7:
        return DescriptorClass{in.u32("class")};
    case 8: {
        const uint32_t classID = in.u32("class");
        const uint32_t length = in.u32("object length");
        const std::vector<uint8_t> bytes = in.bytes(length, "object");
        ByteReader nested(bytes.data(), bytes.size(), "object");
        return DescriptorObject{classID, std::make_shared<Descriptor>(decodeFrom(nested, depth + 1))};
    }
    default:
        in.fail("unknown value tag " + std::to_string(tag));
    }
}

Descriptor decodeFrom(ByteReader& in, int depth)
{
    if (depth > kMaxDepth)
        in.fail("objects nest too deeply");
    if (in.u32("magic") != kMagic)
        in.fail("not a descriptor");
    const uint32_t count = in.u32("count");
    Descriptor descriptor;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t key = in.u32("key");
        const uint8_t tag = in.u8("tag");
        descriptor.put(key, readValue(in, tag, depth));
    }
    if (in.remaining() != 0)
        in.fail("bytes after the last entry");
    return descriptor;
}

} // namespace

std::vector<uint8_t> encodeDescriptor(const Descriptor& descriptor)
{
    std::vector<uint8_t> out;
    encodeInto(out, descriptor);
    return out;
}

std::optional<Descriptor> decodeDescriptor(const uint8_t* bytes, size_t size)
{
    try {
        ByteReader in(bytes, size, "descriptor");
        return decodeFrom(in, 0);
    } catch (const HostError&) {
        return std::nullopt;
    }
}

PIDescriptorHandle newDescriptorHandle(const Descriptor& descriptor)
{
    const std::vector<uint8_t> bytes = encodeDescriptor(descriptor);
    return reinterpret_cast<PIDescriptorHandle>(newHostHandle(bytes.data(), bytes.size()));
}

std::optional<Descriptor> descriptorFromHandle(PIDescriptorHandle handle)
{
    Handle hostHandle = reinterpret_cast<Handle>(handle);
    if (!isLiveHostHandle(hostHandle))
        return std::nullopt;
    const std::vector<uint8_t> bytes = hostHandleBytes(hostHandle);
    return decodeDescriptor(bytes.data(), bytes.size());
}

} // namespace vendrel
