#include "DrawSurface.h"

#include "OwnLiveObjects.h"

namespace owndm {

DrawSurface::DrawSurface()
{
    MarkLive(this, Kind::drawer);
}

DrawSurface::~DrawSurface()
{
    MarkDead(this);
}

DrawSurface* DrawSurface::FromRef(ADMDrawerRef ref)
{
    return LiveObject<DrawSurface>(ref, Kind::drawer);
}

void DrawSurface::DrawDefaultThrough(ADMDrawerRef ref)
{
    if (DrawSurface* surface = FromRef(ref))
        surface->DrawDefault();
}

} // namespace owndm
