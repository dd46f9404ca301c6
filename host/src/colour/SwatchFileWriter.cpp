// Writing colour swatch files: a version-1 section of RGB colours.
#include "vendrel/host/SwatchFile.h"

namespace vendrel {

namespace {

void putBigEndian16(std::vector<uint8_t>& bytes, uint16_t value)
{
    bytes.push_back(uint8_t(value >> 8));
    bytes.push_back(uint8_t(value & 0xFF));
}

} // namespace

std::vector<uint8_t> rgbSwatchFileBytes(const std::vector<std::array<uint8_t, 3>>& colours)
{
    std::vector<uint8_t> bytes;
    putBigEndian16(bytes, 1); // version 1
    putBigEndian16(bytes, uint16_t(colours.size()));
    for (const auto& colour : colours) {
        putBigEndian16(bytes, 0); // RGB
        for (uint8_t channel : colour) {
            putBigEndian16(bytes, uint16_t(channel * 257));
        }
        putBigEndian16(bytes, 0);
    }
    return bytes;
}

} // namespace vendrel
