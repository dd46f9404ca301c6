// The module's one entry point: the host calls it once per selector of a filter run.
#include <new>

#include "CVendrel.h"
#include "HostSuites.h"

namespace {

SPBasicSuite* BasicSuiteOf(int16 selector, void* record)
{
    if (!record)
        return nullptr;
    if (selector == filterSelectorAbout)
        return static_cast<AboutRecord*>(record)->sSPBasic;
    return static_cast<FilterRecord*>(record)->sSPBasic;
}

// The object of the run in the host's data slot, created on the first call of a run.
CPSFilter* FilterObjectFor(intptr_t* data)
{
    if (!*data) {
        CPSFilter* created = new (std::nothrow) CVendrel;
        if (!created)
            return nullptr;
        *data = reinterpret_cast<intptr_t>(created);
    }
    gCurrentFilter = reinterpret_cast<CPSFilter*>(*data);
    return gCurrentFilter;
}

int16 Dispatch(CPSFilter& filter, int16 selector, void* record)
{
    if (selector == filterSelectorAbout)
        filter.SetRecords(nullptr, static_cast<AboutRecord*>(record));
    else
        filter.SetRecords(static_cast<FilterRecord*>(record), nullptr);
    switch (selector) {
    case filterSelectorAbout:
        return filter.About();
    case filterSelectorParameters:
        return filter.Parameters();
    case filterSelectorPrepare:
        return filter.Prepare();
    case filterSelectorStart:
        return filter.Start();
    case filterSelectorContinue:
        return filter.Continue();
    case filterSelectorFinish:
        return filter.Finish();
    default:
        return filterBadParameters;
    }
}

// The object lives on between the parameters, prepare, start and continue selectors of a successful run.
bool KeepsObject(int16 selector, int16 result)
{
    return result == noErr && selector >= filterSelectorParameters && selector <= filterSelectorContinue;
}

void DestroyFilterObject(CPSFilter* filter, intptr_t* data)
{
    delete filter;
    gCurrentFilter = nullptr;
    *data = 0;
}

} // namespace

// VENDREL_EXPORT comes from the build: default visibility on Linux; on Windows the module's .def file names
// the one export.
extern "C" VENDREL_EXPORT void PluginMain(int16 selector, void* record, intptr_t* data, int16* result)
{
    if (!result)
        return;
    if (!record || !data) {
        *result = filterBadParameters;
        return;
    }
    // Hosts without a basic suite still run the selectors; the suites that come through it count as missing.
    sSPBasic = BasicSuiteOf(selector, record);
    try {
        AcquireFileSuites();
        CPSFilter* filter = FilterObjectFor(data);
        if (!filter) {
            *result = filterBadParameters;
            return;
        }
        *result = Dispatch(*filter, selector, record);
        if (!KeepsObject(selector, *result))
            DestroyFilterObject(filter, data);
    } catch (...) {
        // The object stays in the data slot; the next selector uses it again.
        *result = filterBadParameters;
    }
}
