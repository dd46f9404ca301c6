// A bounds-checked reader of little-endian bytes: every read that would pass the end throws HostError.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vendrel {

class ByteReader {
public:
    // what names the bytes in error messages ("PIPL", "module.8bf: resource directory").
    ByteReader(const uint8_t* data, size_t size, std::string what);

    uint8_t u8(const char* field);
    uint16_t u16(const char* field);
    int16_t i16(const char* field) { return int16_t(u16(field)); }
    uint32_t u32(const char* field);
    int32_t i32(const char* field) { return int32_t(u32(field)); }
    // A length byte followed by that many characters.
    std::string pascalString(const char* field);
    std::vector<uint8_t> bytes(size_t count, const char* field);
    void skip(size_t count, const char* field);

    size_t offset() const { return offset_; }
    size_t remaining() const { return size_ - offset_; }
    // Throws HostError("<what>: <message>").
    [[noreturn]] void fail(const std::string& message) const;

private:
    void need(size_t count, const char* field) const;

    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
    std::string what_;
};

} // namespace vendrel
