#include "vendrel/host/PrintableText.h"

#include <cstdint>
#include <cstdio>

namespace vendrel {

namespace {

// The length of the well-formed UTF-8 sequence that starts text at i and its code point; 0 when the byte there
// starts none (a stray continuation byte, an overlong form, a surrogate, a sequence cut short).
size_t sequenceAt(std::string_view text, size_t i, char32_t& code)
{
    const auto byte = [&](size_t k) { return uint8_t(text[k]); };
    const uint8_t lead = byte(i);
    size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000))
        return 0;
    return length;
}

// Characters that act on a terminal or on how lines are read rather than show as themselves.
bool isControl(char32_t code)
{
    return code < 0x20 || (code >= 0x7F && code < 0xA0) || code == 0x2028 || code == 0x2029 ||
           (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069) || code == 0x200E || code == 0x200F;
}

std::string escapeOf(char32_t code)
{
    char buffer[12];
    if (code < 0x80)
        std::snprintf(buffer, sizeof buffer, "\\x%02X", unsigned(code));
    else
        std::snprintf(buffer, sizeof buffer, "\\u%04X", unsigned(code));
    return buffer;
}

} // namespace

std::string printableText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const size_t length = sequenceAt(text, i, code);
        if (length == 0) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", unsigned(uint8_t(text[i])));
            out += buffer;
            ++i;
            continue;
        }
        if (isControl(code))
            out += escapeOf(code);
        else
            out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

std::string shortText(std::string_view text, size_t maxCharacters)
{
    size_t end = 0;
    size_t characters = 0;
    while (end < text.size() && characters < maxCharacters) {
        char32_t code = 0;
        const size_t length = sequenceAt(text, end, code);
        end += length == 0 ? 1 : length;
        ++characters;
    }
    std::string out = printableText(text.substr(0, end));
    if (end < text.size())
        out += "... (" + std::to_string(text.size() - end) + " more bytes)";
    return out;
}

} // namespace vendrel
