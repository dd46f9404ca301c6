// What the dialog manager's entry fields hold: the default conversions between a field's text and its number,
// and the copying of texts into a plug-in's buffers. Shared by the host's dialog manager and the module's own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vendrel {

// A decimal number with optional sign and fraction, surrounded by blanks. When units are allowed, a unit
// name may follow the number ("12 px", "12pt"); otherwise anything after the number makes the text invalid.
std::optional<float> parseNumber(const std::string& text, bool allowUnits);

// A finite number rounded to the nearest integer, held at the ends of the int32 range: an entry field's value.
int32_t roundedToInt32(float value);

// The number rounded to the nearest integer, as the entry fields show it ("12", "-3").
std::string formatNumber(float value);

// Copies text into a plug-in's buffer of capacity bytes, cut to fit and always NUL-terminated.
void copyToBuffer(const std::string& text, char* buffer, int capacity);

} // namespace vendrel
