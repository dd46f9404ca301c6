// The default conversions between the text of an entry field and its number, and the copying of texts into
// the plug-in's buffers.
#pragma once

#include <optional>
#include <string>

#include "PITypes.h"

namespace owndm {

// A decimal number with optional sign and fraction, surrounded by blanks. When units are allowed, a unit name
// may follow the number ("12 px", "12pt"); otherwise anything after the number makes the text invalid.
std::optional<float> ParseNumber(const std::string& text, bool allowUnits);

// A finite number rounded to the nearest integer, held at the ends of the int32 range.
int32 RoundedToInt32(float value);

// The number rounded to the nearest integer, as entry fields show it ("12", "-3").
std::string FormatNumber(float value);

// Copies text into a buffer of capacity bytes, cut to fit and always NUL-terminated.
void CopyToBuffer(const std::string& text, char* buffer, int32 capacity);

} // namespace owndm
