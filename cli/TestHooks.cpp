#include "TestHooks.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace vendrel {

std::optional<int32_t> testHookValue(const char* variable)
{
    const char* text = std::getenv(variable);
    if (text == nullptr) {
        return std::nullopt;
    }
    int32_t value = 0;
    const char* end = text + std::strlen(text);
    auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<uint64_t> testHookBytes(const char* variable)
{
    const char* text = std::getenv(variable);
    if (text == nullptr) {
        return std::nullopt;
    }
    uint64_t value = 0;
    const char* end = text + std::strlen(text);
    auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace vendrel
