// The shipped command's test hooks: none. Builds without the tests (the ones packages are made from) take this
// file instead of TestHooks.cpp, so no environment variable can make a shipped command signal itself.
#include "TestHooks.h"

namespace vendrel {

std::optional<int32_t> testHookValue(const char*)
{
    return std::nullopt;
}

std::optional<uint64_t> testHookBytes(const char*)
{
    return std::nullopt;
}

} // namespace vendrel
