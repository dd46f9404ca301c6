#include "AdmDrawer.h"

#include <algorithm>

#include "AdmLiveObjects.h"

namespace vendrel::adm {

Rgb8 namedColor(int32_t code)
{
    switch (code) {
    case kADMWhiteColor:
    case kADMHiliteTextColor:
        return {255, 255, 255};
    case kADMHiliteColor:
        return {51, 153, 255};
    case kADMLightColor:
        return {227, 227, 227};
    case kADMBackgroundColor:
        return {240, 240, 240};
    case kADMShadowColor:
        return {160, 160, 160};
    case kADMDisabledColor:
        return {128, 128, 128};
    default: // black, and any code the dialog manager does not name
        return {0, 0, 0};
    }
}

DrawerModel::DrawerModel(RgbRaster& raster, const AdmRect& placement) : raster_(&raster), placement_(placement) {}

DrawerModel::DrawerModel(std::vector<AdmDrawOp>& record, const AdmRect& bounds) : record_(&record), placement_(bounds)
{
}

DrawerModel* DrawerModel::fromRef(ADMDrawerRef ref)
{
    return liveModel<DrawerModel>(ref, Kind::drawer);
}

void DrawerModel::drawDefaultThrough(ADMDrawerRef ref)
{
    DrawerModel* drawer = fromRef(ref);
    if (drawer && drawer->drawDefault)
        drawer->drawDefault();
}

void DrawerModel::setRgbColor(const ADMRGBColor& color)
{
    color_ = {uint8_t(color.red >> 8), uint8_t(color.green >> 8), uint8_t(color.blue >> 8)};
}

void DrawerModel::frame(const AdmRect& rect)
{
    if (record_)
        return record(AdmDrawOp::Kind::frame, rect);
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    paint(rect.left, rect.top, rect.right, rect.top + 1);
    paint(rect.left, rect.bottom - 1, rect.right, rect.bottom);
    paint(rect.left, rect.top, rect.left + 1, rect.bottom);
    paint(rect.right - 1, rect.top, rect.right, rect.bottom);
}

void DrawerModel::fill(const AdmRect& rect)
{
    if (record_)
        return record(AdmDrawOp::Kind::fill, rect);
    paint(rect.left, rect.top, rect.right, rect.bottom);
}

// Local coordinates are moved to the item's place and clipped to both the item and the raster.
void DrawerModel::paint(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    const int64_t x0 = std::max<int64_t>({int64_t(left) + placement_.left, placement_.left, 0});
    const int64_t y0 = std::max<int64_t>({int64_t(top) + placement_.top, placement_.top, 0});
    const int64_t x1 = std::min<int64_t>({int64_t(right) + placement_.left, placement_.right, raster_->width});
    const int64_t y1 = std::min<int64_t>({int64_t(bottom) + placement_.top, placement_.bottom, raster_->height});
    for (int64_t y = y0; y < y1; ++y)
        for (int64_t x = x0; x < x1; ++x) {
            uint8_t* pixel = raster_->at(int32_t(x), int32_t(y));
            pixel[0] = color_.red;
            pixel[1] = color_.green;
            pixel[2] = color_.blue;
        }
}

void DrawerModel::record(AdmDrawOp::Kind kind, const AdmRect& rect)
{
    record_->push_back({kind, rect, color_.red, color_.green, color_.blue});
}

} // namespace vendrel::adm
