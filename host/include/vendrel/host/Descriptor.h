// The host's side of scripting descriptors: an ordered list of keyed, typed values.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "PIActions.h"

namespace vendrel {

class Descriptor;

struct DescriptorObject {
    DescType classID = 0;
    std::shared_ptr<Descriptor> value; // never null in a well-formed object
};

struct DescriptorEnum {
    DescType type = 0;
    DescType value = 0;
};

struct DescriptorUnitFloat {
    DescType unit = 0;
    double value = 0;
};

struct DescriptorClass {
    DescType value = 0;
};

struct DescriptorAlias {
    std::string bytes;
};

// Text values hold the plug-in's bytes as they are (no terminating NUL).
using DescriptorValue = std::variant<int32_t, double, DescriptorUnitFloat, bool, std::string, DescriptorAlias,
                                     DescriptorEnum, DescriptorClass, DescriptorObject>;

class Descriptor {
public:
    struct Entry {
        DescriptorKeyID key;
        DescriptorValue value;
    };

    // Adds a value; a key written twice keeps both entries in written order, as the host's records do.
    void put(DescriptorKeyID key, DescriptorValue value);
    const DescriptorValue* find(DescriptorKeyID key) const;
    const std::vector<Entry>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    bool operator==(const Descriptor& other) const;

private:
    std::vector<Entry> entries_;
};

// The host's colour object, as colour parameters hold it: class 'RGBC' with the components 'Rd  ', 'Grn ' and
// 'Bl  ' (0 to 65535) in that order.
DescriptorObject colorObject(const std::array<uint16_t, 3>& rgb);

// A four-character code as text ("Tlrn"), for messages.
std::string fourCCText(uint32_t code);

// The bytes a descriptor handle holds, and back; decoding answers nothing for bytes that are not a
// descriptor (or nest deeper than the host accepts).
std::vector<uint8_t> encodeDescriptor(const Descriptor& descriptor);
std::optional<Descriptor> decodeDescriptor(const uint8_t* bytes, size_t size);

// Descriptor handles are host handles (see HostHandles.h) holding an encoded descriptor, so plug-ins dispose
// of them with the handle procedures.
PIDescriptorHandle newDescriptorHandle(const Descriptor& descriptor);
std::optional<Descriptor> descriptorFromHandle(PIDescriptorHandle handle);

// The procedure tables handed to plug-ins in the descriptor parameters.
ReadDescriptorProcs* hostReadDescriptorProcs();
WriteDescriptorProcs* hostWriteDescriptorProcs();

} // namespace vendrel
