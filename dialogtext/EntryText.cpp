#include "vendrel/dialogtext/EntryText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace vendrel {

namespace {

bool isBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool isUnitName(const std::string& rest)
{
    if (rest.empty())
        return false;
    for (const char c : rest)
        if (!std::isalpha(static_cast<unsigned char>(c)))
            return false;
    return true;
}

std::string trimmed(const std::string& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

} // namespace

std::optional<float> parseNumber(const std::string& text, bool allowUnits)
{
    const std::string body = trimmed(text);
    if (body.empty())
        return std::nullopt;
    char* end = nullptr;
    const float value = std::strtof(body.c_str(), &end);
    if (end == body.c_str() || !std::isfinite(value))
        return std::nullopt;
    const std::string rest = trimmed(std::string(end));
    if (rest.empty() || (allowUnits && isUnitName(rest)))
        return value;
    return std::nullopt;
}

int32_t roundedToInt32(float value)
{
    const double rounded = std::nearbyint(double(value));
    if (rounded >= 2147483647.0)
        return INT32_MAX;
    if (rounded <= -2147483648.0)
        return INT32_MIN;
    return int32_t(rounded);
}

std::string formatNumber(float value)
{
    return std::isfinite(value) ? std::to_string(roundedToInt32(value)) : "0";
}

void copyToBuffer(const std::string& text, char* buffer, int capacity)
{
    if (!buffer || capacity <= 0)
        return;
    const size_t copied = std::min(text.size(), size_t(capacity) - 1);
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
}

} // namespace vendrel
