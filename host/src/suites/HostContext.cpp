#include "HostContext.h"

namespace vendrel {

namespace {
HostContext* gCurrentContext = nullptr;
}

HostContext* currentHostContext()
{
    return gCurrentContext;
}

void setCurrentHostContext(HostContext* context)
{
    gCurrentContext = context;
}

} // namespace vendrel
