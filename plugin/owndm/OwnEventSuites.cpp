// "ADM Drawer Suite", "ADM Notifier Suite" and "ADM Tracker Suite": what a draw, notify or track callback asks
// of the object it was handed.
#include "DrawSurface.h"
#include "OwnEvents.h"
#include "OwnLiveObjects.h"
#include "OwnNoThrow.h"
#include "vendrel/dialogtext/EntryText.h"
#include "OwnSuites.h"

namespace owndm {

namespace {

void DrawerBounds(ADMDrawerRef ref, ADMRect* bounds)
{
    DrawSurface* surface = DrawSurface::FromRef(ref);
    if (surface && bounds)
        *bounds = surface->Bounds();
}

void SetADMColor(ADMDrawerRef ref, int32 color)
{
    if (DrawSurface* surface = DrawSurface::FromRef(ref))
        surface->SetNamedColor(color);
}

void SetRGBColor(ADMDrawerRef ref, const ADMRGBColor* color)
{
    DrawSurface* surface = DrawSurface::FromRef(ref);
    if (surface && color)
        surface->SetRGBColor(*color);
}

void FrameRect(ADMDrawerRef ref, const ADMRect* rect)
{
    DrawSurface* surface = DrawSurface::FromRef(ref);
    if (surface && rect)
        surface->FrameRect(*rect);
}

void FillRect(ADMDrawerRef ref, const ADMRect* rect)
{
    DrawSurface* surface = DrawSurface::FromRef(ref);
    if (surface && rect)
        surface->FillRect(*rect);
}

ADMItemRef NotifierItem(ADMNotifierRef ref)
{
    NotifierModel* notifier = NotifierModel::FromRef(ref);
    return notifier && IsLive(notifier->item, Kind::item) ? notifier->item->Ref() : nullptr;
}

ADMDialogRef NotifierDialog(ADMNotifierRef ref)
{
    NotifierModel* notifier = NotifierModel::FromRef(ref);
    return notifier && IsLive(notifier->dialog, Kind::dialog) ? notifier->dialog->Ref() : nullptr;
}

ASBoolean IsNotifierType(ADMNotifierRef ref, const char* type)
{
    NotifierModel* notifier = NotifierModel::FromRef(ref);
    return notifier && type && notifier->type == type;
}

void GetNotifierType(ADMNotifierRef ref, char* type, int32 maxLength)
{
    if (NotifierModel* notifier = NotifierModel::FromRef(ref))
        vendrel::copyToBuffer(notifier->type, type, maxLength);
}

int32 GetAction(ADMTrackerRef ref)
{
    TrackerModel* tracker = TrackerModel::FromRef(ref);
    return tracker ? tracker->action : int32(kADMNoAction);
}

void GetPoint(ADMTrackerRef ref, ADMPoint* point)
{
    TrackerModel* tracker = TrackerModel::FromRef(ref);
    if (tracker && point)
        *point = tracker->point;
}

const ADMDrawerSuite3 kDrawers = {NoThrow<DrawerBounds>, NoThrow<SetADMColor>, NoThrow<SetRGBColor>, NoThrow<FrameRect>,
                                  NoThrow<FillRect>};
const ADMNotifierSuite2 kNotifiers = {NoThrow<NotifierItem>, NoThrow<NotifierDialog>, NoThrow<IsNotifierType>,
                                      NoThrow<GetNotifierType>};
const ADMTrackerSuite1 kTrackers = {NoThrow<GetAction>, NoThrow<GetPoint>};

} // namespace

const ADMDrawerSuite3* DrawerSuite()
{
    return &kDrawers;
}

const ADMNotifierSuite2* NotifierSuite()
{
    return &kNotifiers;
}

const ADMTrackerSuite1* TrackerSuite()
{
    return &kTrackers;
}

} // namespace owndm
