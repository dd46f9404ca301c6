// Encoding Unicode code points as UTF-8, for texts read from module resources and swatch files.
#pragma once

#include <string>

namespace vendrel {

// Appends code (at most U+10FFFF) to out as one to four UTF-8 bytes.
void appendUtf8(std::string& out, char32_t code);

} // namespace vendrel
