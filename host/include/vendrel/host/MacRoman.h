// Text from the plug-in: its bytes above 127 are Mac OS Roman, the terminal wants UTF-8.
#pragma once

#include <string>

namespace vendrel {

// Converts Mac OS Roman bytes to UTF-8 (0xA8 becomes U+00AE, the registered sign). Bytes below 128 are kept.
std::string macRomanToUtf8(const std::string& bytes);

} // namespace vendrel
