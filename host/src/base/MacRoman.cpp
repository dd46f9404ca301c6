// Mac OS Roman to UTF-8.
#include "vendrel/host/MacRoman.h"

#include "Utf8.h"
#include "vendrel/dialogtext/MacRoman.h"

namespace vendrel {

std::string macRomanToUtf8(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        appendUtf8(out, macRomanCodePoint(uint8_t(c)));
    return out;
}

} // namespace vendrel
