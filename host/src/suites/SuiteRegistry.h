// The suites the host offers through its basic suite, looked up by name and version.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "SPBasic.h"

namespace vendrel {

class SuiteRegistry {
public:
    void add(const std::string& name, int32 version, const void* suite);
    // Suites that are present but must be reported missing (for tests of a host without them).
    void hide(const std::set<std::string>& names) { hidden_.insert(names.begin(), names.end()); }
    const void* find(const std::string& name, int32 version) const;

private:
    std::map<std::pair<std::string, int32>, const void*> suites_;
    std::set<std::string> hidden_;
};

// The dialog-manager suites, the message alert and the path suites, registered by their own files.
void registerDialogManagerSuites(SuiteRegistry& registry);
void registerFileSuites(SuiteRegistry& registry);

} // namespace vendrel
