#include "ResourceBytes.h"

#include <stdexcept>

void ResourceWriter::U16(uint16_t value)
{
    U8(uint8_t(value));
    U8(uint8_t(value >> 8));
}

void ResourceWriter::U32(uint32_t value)
{
    U16(uint16_t(value));
    U16(uint16_t(value >> 16));
}

void ResourceWriter::Code(const char (&code)[5])
{
    U32(uint32_t(uint8_t(code[0])) << 24 | uint32_t(uint8_t(code[1])) << 16 | uint32_t(uint8_t(code[2])) << 8 |
        uint32_t(uint8_t(code[3])));
}

void ResourceWriter::PascalString(std::string_view text)
{
    if (text.size() > 255)
        throw std::length_error("a length-prefixed string holds at most 255 characters");
    U8(uint8_t(text.size()));
    Text(text);
}

void ResourceWriter::LengthPrefixedText(std::string_view text)
{
    if (text.size() > 0xFFFF)
        throw std::length_error("a resource text holds at most 65535 characters");
    U16(uint16_t(text.size()));
    Text(text);
}

void ResourceWriter::Text(std::string_view text)
{
    bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void ResourceWriter::PadTo(size_t alignment)
{
    while (bytes_.size() % alignment != 0)
        U8(0);
}
