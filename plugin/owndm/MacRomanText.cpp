#include "MacRomanText.h"

#include <cstdint>

#include "vendrel/dialogtext/MacRoman.h"

namespace owndm {

std::u16string Utf16FromMacRoman(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (const char c : bytes)
        text.push_back(char16_t(vendrel::macRomanCodePoint(uint8_t(c))));
    return text;
}

// Characters that Mac OS Roman lacks become '?'.
std::string MacRomanFromUtf16(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (const char16_t unit : text)
        bytes.push_back(char(vendrel::macRomanByte(unit).value_or(uint8_t('?'))));
    return bytes;
}

} // namespace owndm
