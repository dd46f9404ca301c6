#include "ByteReader.h"

#include <utility>

#include "vendrel/host/PluginModule.h"

namespace vendrel {

ByteReader::ByteReader(const uint8_t* data, size_t size, std::string what)
    : data_(data), size_(data ? size : 0), what_(std::move(what))
{
}

void ByteReader::fail(const std::string& message) const
{
    throw HostError(what_ + ": " + message);
}

void ByteReader::need(size_t count, const char* field) const
{
    if (count > remaining())
        fail("truncated: " + std::string(field) + " needs " + std::to_string(count) + " bytes at offset " +
             std::to_string(offset_) + ", " + std::to_string(remaining()) + " left");
}

uint8_t ByteReader::u8(const char* field)
{
    need(1, field);
    return data_[offset_++];
}

uint16_t ByteReader::u16(const char* field)
{
    need(2, field);
    const uint16_t value = uint16_t(data_[offset_] | (data_[offset_ + 1] << 8));
    offset_ += 2;
    return value;
}

uint32_t ByteReader::u32(const char* field)
{
    need(4, field);
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | data_[offset_ + size_t(i)];
    offset_ += 4;
    return value;
}

std::string ByteReader::pascalString(const char* field)
{
    const size_t length = u8(field);
    need(length, field);
    std::string text(reinterpret_cast<const char*>(data_ + offset_), length);
    offset_ += length;
    return text;
}

std::vector<uint8_t> ByteReader::bytes(size_t count, const char* field)
{
    need(count, field);
    std::vector<uint8_t> out(data_ + offset_, data_ + offset_ + count);
    offset_ += count;
    return out;
}

void ByteReader::skip(size_t count, const char* field)
{
    need(count, field);
    offset_ += count;
}

} // namespace vendrel
