#include "CPSFilter.h"

int16 CPSFilter::Continue()
{
    // An empty rectangle tells the host that no more image data is wanted: the whole image was done in Start.
    if (filterRecord) {
        filterRecord->inRect = Rect{0, 0, 0, 0};
        filterRecord->outRect = Rect{0, 0, 0, 0};
    }
    return noErr;
}

void* CPSFilter::GetPluginRef() const
{
    if (filterRecord && filterRecord->plugInRef)
        return filterRecord->plugInRef;
    if (aboutRecord && aboutRecord->plugInRef)
        return aboutRecord->plugInRef;
    return nullptr;
}
