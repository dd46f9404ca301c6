// A framed colour square; clicking it opens the host's colour picker.
#pragma once

#include "BaseADMItem.h"

class CADMColorSwatch : public BaseADMItem {
public:
    // Attaches to an existing "ADM User Type" item; the creator sets the colour at once.
    explicit CADMColorSwatch(ADMItemRef item) : BaseADMItem(item) {}
    ~CADMColorSwatch() override;

    ASErr Init() override;
    void Draw(ADMDrawerRef drawer) override;
    bool Track(ADMTrackerRef tracker) override;
    void Notify(ADMNotifierRef notifier) override;

    // Red, green, blue; read and written directly by the owning dialog.
    ADMRGBColor color;
};
