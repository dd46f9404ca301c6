// The filter plug-in object: one virtual operation per host selector.
#pragma once

#include "PIFilter.h"

class CPSFilter {
public:
    CPSFilter() = default;
    CPSFilter(const CPSFilter&) = delete;
    CPSFilter& operator=(const CPSFilter&) = delete;
    virtual ~CPSFilter() = default;

    virtual int16 About() { return noErr; }
    virtual int16 Parameters() { return noErr; }
    virtual int16 Prepare() { return noErr; }
    virtual int16 Start() { return noErr; }
    virtual int16 Continue();
    virtual int16 Finish() { return noErr; }

    // The plug-in reference of the current call's record, or null.
    void* GetPluginRef() const;

    void SetRecords(FilterRecord* filter, AboutRecord* about)
    {
        filterRecord = filter;
        aboutRecord = about;
    }
    FilterRecord* GetFilterRecord() const { return filterRecord; }
    AboutRecord* GetAboutRecord() const { return aboutRecord; }

protected:
    FilterRecord* filterRecord = nullptr;
    AboutRecord* aboutRecord = nullptr;
};
