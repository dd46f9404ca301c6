// Swatch files (.aco) written byte by byte from the format's published layout: big-endian 16-bit words; a first
// section (version 1, a count, then per colour its colour space and four components) and optionally a second
// (version 2, the same colours each followed by its name: a 32-bit length in UTF-16 units, then the units).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vendrel::test {

struct SwatchRecord {
    uint16_t colorSpace = 0;
    std::array<uint16_t, 4> components = {};
    std::u16string name; // written with its terminating zero
};

inline void appendWord(std::vector<uint8_t>& bytes, uint16_t word)
{
    bytes.push_back(uint8_t(word >> 8));
    bytes.push_back(uint8_t(word & 0xFF));
}

inline std::vector<uint8_t> swatchSection(uint16_t version, const std::vector<SwatchRecord>& records)
{
    std::vector<uint8_t> bytes;
    appendWord(bytes, version);
    appendWord(bytes, uint16_t(records.size()));
    for (const SwatchRecord& record : records) {
        appendWord(bytes, record.colorSpace);
        for (uint16_t component : record.components) {
            appendWord(bytes, component);
        }
        if (version == 2) {
            const uint32_t units = uint32_t(record.name.size() + 1);
            appendWord(bytes, uint16_t(units >> 16));
            appendWord(bytes, uint16_t(units & 0xFFFF));
            for (char16_t unit : record.name) {
                appendWord(bytes, uint16_t(unit));
            }
            appendWord(bytes, 0);
        }
    }
    return bytes;
}

// The first section, followed by the named second one when named is set.
inline std::vector<uint8_t> swatchFileBytes(const std::vector<SwatchRecord>& records, bool named)
{
    std::vector<uint8_t> bytes = swatchSection(1, records);
    if (named) {
        const std::vector<uint8_t> second = swatchSection(2, records);
        bytes.insert(bytes.end(), second.begin(), second.end());
    }
    return bytes;
}

// One colour of each colour space the readers know: RGB, HSB, CMYK, Lab (a and b signed), grey.
inline const std::vector<SwatchRecord>& swatchOfEachColorSpace()
{
    static const std::vector<SwatchRecord> records = {
        {0, {0xFFFF, 0x8000, 0x0101, 0}, u"Red"},
        {1, {0x4000, 0xFFFF, 0x7FFF, 0}, u"Hue"},
        {2, {0x0000, 0xFFFF, 0x1234, 0xFEDC}, u"Ink"},
        {7, {7000, uint16_t(-3800), uint16_t(-2500), 0}, u"Lab"},
        {8, {5000, 0, 0, 0}, u"Grey"},
    };
    return records;
}

} // namespace vendrel::test
