#include "OwnLiveObjects.h"

#include <unordered_map>

namespace owndm {

namespace {

std::unordered_map<const void*, Kind>& LiveObjects()
{
    // Never destroyed: the registry must still answer while other statics are torn down at unload.
    static auto* objects = new std::unordered_map<const void*, Kind>;
    return *objects;
}

} // namespace

void MarkLive(const void* object, Kind kind)
{
    if (object)
        LiveObjects()[object] = kind;
}

void MarkDead(const void* object)
{
    LiveObjects().erase(object);
}

bool IsLive(const void* object, Kind kind)
{
    if (!object)
        return false;
    const auto found = LiveObjects().find(object);
    return found != LiveObjects().end() && found->second == kind;
}

} // namespace owndm
