#include "SuiteRegistry.h"

namespace vendrel {

void SuiteRegistry::add(const std::string& name, int32 version, const void* suite)
{
    suites_[{name, version}] = suite;
}

const void* SuiteRegistry::find(const std::string& name, int32 version) const
{
    if (hidden_.count(name))
        return nullptr;
    const auto it = suites_.find({name, version});
    return it == suites_.end() ? nullptr : it->second;
}

} // namespace vendrel
