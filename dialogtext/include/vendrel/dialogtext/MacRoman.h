// Mac OS Roman, the character set of the dialog code's texts (its About text writes the registered-trademark
// sign as 0xA8), by Apple's mapping table. Shared by the host, which shows texts as UTF-8, and the module's own
// dialog manager, which shows them as UTF-16.
#pragma once

#include <cstdint>
#include <optional>

namespace vendrel {

// The Unicode code point of a Mac OS Roman byte; all lie in the Basic Multilingual Plane.
char32_t macRomanCodePoint(uint8_t byte);

// The Mac OS Roman byte of a code point, or nothing when the character set lacks it.
std::optional<uint8_t> macRomanByte(char32_t codePoint);

} // namespace vendrel
