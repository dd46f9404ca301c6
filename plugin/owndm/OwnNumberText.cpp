#include "OwnNumberText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace owndm {

namespace {

bool IsBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool IsUnitName(const std::string& rest)
{
    return !rest.empty() &&
           std::all_of(rest.begin(), rest.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); });
}

std::string Trimmed(const std::string& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

} // namespace

std::optional<float> ParseNumber(const std::string& text, bool allowUnits)
{
    const std::string body = Trimmed(text);
    if (body.empty())
        return std::nullopt;
    char* end = nullptr;
    const float value = std::strtof(body.c_str(), &end);
    if (end == body.c_str() || !std::isfinite(value))
        return std::nullopt;
    const std::string rest = Trimmed(std::string(end));
    if (rest.empty() || (allowUnits && IsUnitName(rest)))
        return value;
    return std::nullopt;
}

int32 RoundedToInt32(float value)
{
    const double rounded = std::nearbyint(double(value));
    if (rounded >= 2147483647.0)
        return INT32_MAX;
    if (rounded <= -2147483648.0)
        return INT32_MIN;
    return int32(rounded);
}

std::string FormatNumber(float value)
{
    return std::isfinite(value) ? std::to_string(RoundedToInt32(value)) : "0";
}

void CopyToBuffer(const std::string& text, char* buffer, int32 capacity)
{
    if (!buffer || capacity <= 0)
        return;
    const size_t copied = std::min(text.size(), size_t(capacity) - 1);
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
}

} // namespace owndm
