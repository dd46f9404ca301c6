// The dialog code's texts are Mac OS Roman bytes (its About text writes the registered-trademark sign as 0xA8);
// native controls show UTF-16. These convert between the two.
#pragma once

#include <string>
#include <string_view>

namespace owndm {

std::u16string Utf16FromMacRoman(std::string_view bytes);

// Characters that Mac OS Roman lacks become '?'.
std::string MacRomanFromUtf16(std::u16string_view text);

} // namespace owndm
