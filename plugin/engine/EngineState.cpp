// The engine's state in the filter object and the addressing of the host's image buffer.
#include "CPSPalette.h"
#include "CVendrel.h"

CVendrel* gVendrelInstance = nullptr;

CVendrel::CVendrel()
{
    gVendrelInstance = this;
}

CVendrel::~CVendrel()
{
    delete palette;
    palette = nullptr;
    if (gVendrelInstance == this)
        gVendrelInstance = nullptr;
}

int16 CVendrel::PlanesCount() const
{
    if (!filterRecord)
        return 0;
    return filterRecord->filterCase > filterCaseFlatImageWithSelection ? filterRecord->outLayerPlanes
                                                                       : filterRecord->planes;
}

int32 CVendrel::ColumnStep() const
{
    if (filterRecord && filterRecord->outColumnBytes != 0)
        return filterRecord->outColumnBytes;
    return PlanesCount();
}

int32 CVendrel::PlaneStep() const
{
    if (filterRecord && filterRecord->outPlaneBytes != 0)
        return filterRecord->outPlaneBytes;
    return 1;
}

void CVendrel::SetChannelCount()
{
    const uint8 count = uint8(PlanesCount() & 0xFF);
    if (count > 4)
        channels = 4;
    else if (count == 0)
        channels = 3;
    else
        channels = count;
}

uint8* CVendrel::PixelAddress(int32 x, int32 y) const
{
    if (!filterRecord || !filterRecord->outData)
        return nullptr;
    return static_cast<uint8*>(filterRecord->outData) + intptr_t(y) * filterRecord->outRowBytes +
           intptr_t(x) * ColumnStep();
}
