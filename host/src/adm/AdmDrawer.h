// The drawer handed to draw callbacks: a current colour and rectangle operations in the item's (or
// dialog's) own coordinates, painted onto a raster clipped to the item, or recorded when no raster is bound.
#pragma once

#include <functional>
#include <vector>

#include "ADMTypes.h"
#include "vendrel/host/AdmDialog.h"
#include "vendrel/host/DialogRenderer.h"

namespace vendrel::adm {

struct Rgb8 {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// The dialog manager's named colours (black, white, highlight, ..., the grey of disabled items).
Rgb8 namedColor(int32_t code);

class DrawerModel {
public:
    // Paints onto the raster; placement is the item's rectangle in raster coordinates (origin and clip).
    DrawerModel(RgbRaster& raster, const AdmRect& placement);
    // Records each operation instead; bounds is the item's size.
    DrawerModel(std::vector<AdmDrawOp>& record, const AdmRect& bounds);
    DrawerModel(const DrawerModel&) = delete;
    DrawerModel& operator=(const DrawerModel&) = delete;

    ADMDrawerRef ref() { return reinterpret_cast<ADMDrawerRef>(this); }
    static DrawerModel* fromRef(ADMDrawerRef ref);

    AdmRect localBounds() const { return {0, 0, placement_.width(), placement_.height()}; }
    void setColor(Rgb8 color) { color_ = color; }
    void setNamedColor(int32_t code) { color_ = namedColor(code); }
    void setRgbColor(const ADMRGBColor& color); // 16-bit channels, high byte kept
    Rgb8 color() const { return color_; }
    void frame(const AdmRect& rect); // one-pixel outline inside rect
    void fill(const AdmRect& rect);
    RgbRaster* raster() const { return raster_; }
    AdmRect placement() const { return placement_; }

    // What DefaultDraw paints with this drawer (the item's standard look); empty: nothing.
    std::function<void()> drawDefault;

    // Runs drawDefault of the drawer behind ref, when that drawer is live and has one.
    static void drawDefaultThrough(ADMDrawerRef ref);

private:
    void paint(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void record(AdmDrawOp::Kind kind, const AdmRect& rect);

    RgbRaster* raster_ = nullptr;
    std::vector<AdmDrawOp>* record_ = nullptr;
    AdmRect placement_;
    Rgb8 color_;
};

} // namespace vendrel::adm
