#include "AdmLiveObjects.h"

#include <unordered_map>

namespace vendrel::adm {

namespace {

std::unordered_map<const void*, Kind>& liveObjects()
{
    // Never destroyed: dialogs still open at exit are freed by another static's destructor, after which this
    // registry must still answer.
    static auto* objects = new std::unordered_map<const void*, Kind>;
    return *objects;
}

} // namespace

void markLive(const void* object, Kind kind)
{
    if (object)
        liveObjects()[object] = kind;
}

void markDead(const void* object)
{
    liveObjects().erase(object);
}

bool isLive(const void* object, Kind kind)
{
    if (!object)
        return false;
    const auto found = liveObjects().find(object);
    return found != liveObjects().end() && found->second == kind;
}

} // namespace vendrel::adm
