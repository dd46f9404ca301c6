// Resource bytes written out by hand for the host's tests: the filter's property list and terminology as the
// module carries them (little-endian integers, four-character codes with their characters reversed).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vendrel::test {

class LittleEndianBytes {
public:
    LittleEndianBytes& u8(uint8_t value);
    LittleEndianBytes& u16(uint16_t value);
    LittleEndianBytes& u32(uint32_t value);
    LittleEndianBytes& code(const char (&text)[5]); // a four-character code, stored little-endian
    LittleEndianBytes& pascal(const std::string& text);
    LittleEndianBytes& raw(const std::vector<uint8_t>& bytes);
    LittleEndianBytes& text(const std::string& text); // the characters alone
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// The property list: kind, name "Vendrel...", category "Orvik", version 4.0, entry point "PluginMain",
// terminology 'Vdrl'/'Vdrl'/16000, modes with the given first byte, enable expression and filter cases.
std::vector<uint8_t> filterPiplBytes(uint8_t modeByte = 0x18);

// The terminology: suite "Orvik", event "Orvik Vendrel" and its ten parameters.
std::vector<uint8_t> filterAeteBytes();

} // namespace vendrel::test
