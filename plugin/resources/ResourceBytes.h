// Builds a resource's bytes: little-endian integers, four-character codes and strings as the host reads them.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

using ResourceBytes = std::vector<uint8_t>;

class ResourceWriter {
public:
    void U8(uint8_t value) { bytes_.push_back(value); }
    void U16(uint16_t value);
    void I16(int16_t value) { U16(uint16_t(value)); }
    void U32(uint32_t value);
    void I32(int32_t value) { U32(uint32_t(value)); }
    // A four-character code as one little-endian 32-bit value, so its characters appear reversed.
    void Code(const char (&code)[5]);
    // A length byte followed by the characters.
    void PascalString(std::string_view text);
    // A 16-bit length followed by the characters.
    void LengthPrefixedText(std::string_view text);
    // The characters alone.
    void Text(std::string_view text);
    void Zeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    void Bytes(const ResourceBytes& bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
    // Zero bytes up to the next multiple of alignment.
    void PadTo(size_t alignment);

    size_t Size() const { return bytes_.size(); }
    const ResourceBytes& Result() const { return bytes_; }

private:
    ResourceBytes bytes_;
};
