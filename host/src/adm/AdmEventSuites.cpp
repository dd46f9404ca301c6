// "ADM Drawer Suite", "ADM Notifier Suite" and "ADM Tracker Suite": what a draw, notify or track callback
// asks of the object it was handed.
#include <cstring>

#include "AdmDrawer.h"
#include "AdmEvents.h"
#include "AdmLiveObjects.h"
#include "AdmSuites.h"
#include "vendrel/dialogtext/EntryText.h"
#include "NoThrow.h"

namespace vendrel::adm {

namespace {

void drawerBounds(ADMDrawerRef ref, ADMRect* bounds)
{
    DrawerModel* drawer = DrawerModel::fromRef(ref);
    if (drawer && bounds)
        *bounds = toSdkRect(drawer->localBounds());
}

void setADMColor(ADMDrawerRef ref, int32 color)
{
    if (DrawerModel* drawer = DrawerModel::fromRef(ref))
        drawer->setNamedColor(color);
}

void setRGBColor(ADMDrawerRef ref, const ADMRGBColor* color)
{
    DrawerModel* drawer = DrawerModel::fromRef(ref);
    if (drawer && color)
        drawer->setRgbColor(*color);
}

void frameRect(ADMDrawerRef ref, const ADMRect* rect)
{
    DrawerModel* drawer = DrawerModel::fromRef(ref);
    if (drawer && rect)
        drawer->frame(toAdmRect(*rect));
}

void fillRect(ADMDrawerRef ref, const ADMRect* rect)
{
    DrawerModel* drawer = DrawerModel::fromRef(ref);
    if (drawer && rect)
        drawer->fill(toAdmRect(*rect));
}

ADMItemRef notifierItem(ADMNotifierRef ref)
{
    NotifierModel* notifier = NotifierModel::fromRef(ref);
    return notifier && isLive(notifier->item, Kind::item) ? notifier->item->ref() : nullptr;
}

ADMDialogRef notifierDialog(ADMNotifierRef ref)
{
    NotifierModel* notifier = NotifierModel::fromRef(ref);
    return notifier && isLive(notifier->dialog, Kind::dialog) ? notifier->dialog->ref() : nullptr;
}

ASBoolean isNotifierType(ADMNotifierRef ref, const char* type)
{
    NotifierModel* notifier = NotifierModel::fromRef(ref);
    return notifier && type && notifier->type == type;
}

void getNotifierType(ADMNotifierRef ref, char* type, int32 maxLength)
{
    if (NotifierModel* notifier = NotifierModel::fromRef(ref))
        copyToBuffer(notifier->type, type, maxLength);
}

int32 getAction(ADMTrackerRef ref)
{
    TrackerModel* tracker = TrackerModel::fromRef(ref);
    return tracker ? tracker->action : kADMNoAction;
}

void getPoint(ADMTrackerRef ref, ADMPoint* point)
{
    TrackerModel* tracker = TrackerModel::fromRef(ref);
    if (tracker && point)
        *point = tracker->point;
}

const ADMDrawerSuite3 drawers = {noThrow<drawerBounds>, noThrow<setADMColor>, noThrow<setRGBColor>, noThrow<frameRect>,
                                 noThrow<fillRect>};
const ADMNotifierSuite2 notifiers = {noThrow<notifierItem>, noThrow<notifierDialog>, noThrow<isNotifierType>,
                                     noThrow<getNotifierType>};
const ADMTrackerSuite1 trackers = {noThrow<getAction>, noThrow<getPoint>};

} // namespace

const ADMDrawerSuite3* drawerSuite()
{
    return &drawers;
}

const ADMNotifierSuite2* notifierSuite()
{
    return &notifiers;
}

const ADMTrackerSuite1* trackerSuite()
{
    return &trackers;
}

} // namespace vendrel::adm
