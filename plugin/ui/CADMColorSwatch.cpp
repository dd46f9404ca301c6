#include "CADMColorSwatch.h"

#include "CVendrel.h"

namespace {

ADMRect Shrunk(const ADMRect& rect)
{
    return ADMRect{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
}

// An 8-bit channel as the high byte of a 16-bit one.
uint16 Widened(uint8 channel)
{
    return static_cast<uint16>(channel * 256);
}

} // namespace

CADMColorSwatch::~CADMColorSwatch()
{
    if (fItem && sADMItem)
        sADMItem->SetMask(fItem, 0);
}

ASErr CADMColorSwatch::Init()
{
    BaseADMItem::Init();
    sADMItem->SetMask(fItem, sADMItem->GetMask(fItem) | kADMButtonUpMask);
    return 0;
}

void CADMColorSwatch::Draw(ADMDrawerRef drawer)
{
    ADMRect rect;
    sADMItem->GetLocalRect(fItem, &rect);
    sADMDrawer->SetADMColor(drawer, sADMItem->IsEnabled(fItem) ? kADMBlackColor : kADMDisabledColor);
    sADMDrawer->FrameRect(drawer, &rect);
    sADMDrawer->SetADMColor(drawer, kADMWhiteColor);
    rect = Shrunk(rect);
    sADMDrawer->FrameRect(drawer, &rect);
    rect = Shrunk(rect);
    sADMDrawer->SetRGBColor(drawer, &color);
    sADMDrawer->FillRect(drawer, &rect);
}

bool CADMColorSwatch::Track(ADMTrackerRef tracker)
{
    const bool handled = BaseADMItem::Track(tracker);
    // A released mouse button makes the host send the user-changed notification.
    if (sADMTracker->GetAction(tracker) == kADMButtonUpAction)
        return true;
    return handled;
}

void CADMColorSwatch::Notify(ADMNotifierRef notifier)
{
    BaseADMItem::Notify(notifier);
    if (!sADMNotifier->IsNotifierType(notifier, kADMUserChangedNotifier))
        return;
    CVendrel* filter = static_cast<CVendrel*>(gCurrentFilter);
    uint8 picked[4] = {0, 0, 0, 0};
    if (!filter || !filter->PickColor(picked, true))
        return;
    color = ADMRGBColor{Widened(picked[0]), Widened(picked[1]), Widened(picked[2])};
    sADMItem->Invalidate(fItem);
}
