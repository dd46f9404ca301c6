#include "ui_fake_adm.h"

#include <stdexcept>

#include "HostSuites.h"

namespace vendrel::test {

namespace {

FakeADM* gFake = nullptr;

FakeDialog* D(ADMDialogRef ref)
{
    return reinterpret_cast<FakeDialog*>(ref);
}

FakeItem* I(ADMItemRef ref)
{
    return reinterpret_cast<FakeItem*>(ref);
}

std::string RectText(const ADMRect* r)
{
    return std::to_string(r->left) + " " + std::to_string(r->top) + " " + std::to_string(r->right) + " " +
           std::to_string(r->bottom);
}

} // namespace

struct FakeSuites {
    static void fillDialogSuite(ADMDialogSuite5& s)
    {
        s.Create = [](ADMPluginRef, const char*, int32, int32, ADMDialogInitProc init, ADMUserData data,
                      int32) -> ADMDialogRef { return FakeADM::ref(gFake->newDialog(init, data)); };
        s.Modal = [](ADMPluginRef, const char*, int32, int32, ADMDialogInitProc init, ADMUserData data,
                     int32) -> int32 {
            FakeDialog* dialog = gFake->newDialog(init, data);
            gFake->destroyDialog(dialog);
            return gFake->modalResult;
        };
        s.Destroy = [](ADMDialogRef d) {
            ++gFake->dialogDestroyCalls;
            gFake->destroyDialog(D(d));
        };
        s.SetDrawProc = [](ADMDialogRef d, ADMDialogDrawProc p) { D(d)->draw = p; };
        s.SetTrackProc = [](ADMDialogRef d, ADMDialogTrackProc p) { D(d)->track = p; };
        s.SetNotifyProc = [](ADMDialogRef d, ADMDialogNotifyProc p) { D(d)->notify = p; };
        s.SetDestroyProc = [](ADMDialogRef d, ADMDialogDestroyProc p) { D(d)->destroy = p; };
        s.DefaultDraw = [](ADMDialogRef, ADMDrawerRef) {};
        s.DefaultTrack = [](ADMDialogRef, ADMTrackerRef) -> ASBoolean { return gFake->defaultTrackAnswer; };
        s.DefaultNotify = [](ADMDialogRef, ADMNotifierRef) {};
        s.SetUserData = [](ADMDialogRef d, ADMUserData data) { D(d)->userData = data; };
        s.GetUserData = [](ADMDialogRef d) -> ADMUserData { return D(d)->userData; };
    }

    static void fillItemSuite(ADMItemSuite4& s)
    {
        s.Create = [](ADMDialogRef d, int32, const char* type, const ADMRect* bounds, ADMItemInitProc init,
                      ADMUserData data) -> ADMItemRef {
            return FakeADM::ref(gFake->newItem(D(d), type, *bounds, init, data));
        };
        s.Destroy = [](ADMItemRef i) { gFake->destroyItem(I(i)); };
        s.SetDrawProc = [](ADMItemRef i, ADMItemDrawProc p) { I(i)->draw = p; };
        s.SetTrackProc = [](ADMItemRef i, ADMItemTrackProc p) { I(i)->track = p; };
        s.SetNotifyProc = [](ADMItemRef i, ADMItemNotifyProc p) { I(i)->notify = p; };
        s.SetDestroyProc = [](ADMItemRef i, ADMItemDestroyProc p) { I(i)->destroy = p; };
        s.SetTextToFloatProc = [](ADMItemRef i, ADMItemTextToFloatProc p) { I(i)->textToFloat = p; };
        s.SetFloatToTextProc = [](ADMItemRef i, ADMItemFloatToTextProc p) { I(i)->floatToText = p; };
        s.DefaultDraw = [](ADMItemRef, ADMDrawerRef) {};
        s.DefaultTrack = [](ADMItemRef, ADMTrackerRef) -> ASBoolean { return gFake->defaultTrackAnswer; };
        s.DefaultNotify = [](ADMItemRef i, ADMNotifierRef) { ++I(i)->defaultNotifies; };
        s.DefaultTextToFloat = [](ADMItemRef, const char*, float* value) -> ASBoolean {
            *value = 42.5f;
            return true;
        };
        s.DefaultFloatToText = [](ADMItemRef, float, char*, int32) -> ASBoolean { return true; };
        s.SetUserData = [](ADMItemRef i, ADMUserData data) { I(i)->userData = data; };
        s.GetUserData = [](ADMItemRef i) -> ADMUserData { return I(i)->userData; };
        s.GetID = [](ADMItemRef i) -> int32 { return I(i)->id; };
        s.GetLocalRect = [](ADMItemRef i, ADMRect* r) {
            const ADMRect& b = I(i)->bounds;
            *r = ADMRect{0, 0, b.right - b.left, b.bottom - b.top};
        };
        s.Enable = [](ADMItemRef i, ASBoolean on) { I(i)->enabled = on != 0; };
        s.IsEnabled = [](ADMItemRef i) -> ASBoolean { return I(i)->enabled; };
        s.GetMask = [](ADMItemRef i) -> int32 { return I(i)->mask; };
        s.SetMask = [](ADMItemRef i, int32 mask) { I(i)->mask = mask; };
        s.Invalidate = [](ADMItemRef i) { ++I(i)->invalidations; };
    }

    static void fillDrawerSuite(ADMDrawerSuite3& s)
    {
        s.SetADMColor = [](ADMDrawerRef, int32 c) { gFake->drawLog.push_back("color " + std::to_string(c)); };
        s.SetRGBColor = [](ADMDrawerRef, const ADMRGBColor* c) {
            gFake->drawLog.push_back("rgb " + std::to_string(c->red) + " " + std::to_string(c->green) + " " +
                                     std::to_string(c->blue));
        };
        s.FrameRect = [](ADMDrawerRef, const ADMRect* r) { gFake->drawLog.push_back("frame " + RectText(r)); };
        s.FillRect = [](ADMDrawerRef, const ADMRect* r) { gFake->drawLog.push_back("fill " + RectText(r)); };
    }

    static void fillNotifierSuite(ADMNotifierSuite2& s)
    {
        s.GetItem = [](ADMNotifierRef n) -> ADMItemRef {
            return FakeADM::ref(reinterpret_cast<FakeNotifier*>(n)->item);
        };
        s.IsNotifierType = [](ADMNotifierRef n, const char* type) -> ASBoolean {
            return reinterpret_cast<FakeNotifier*>(n)->type == type;
        };
    }

    static void fillTrackerSuite(ADMTrackerSuite1& s)
    {
        s.GetAction = [](ADMTrackerRef t) -> int32 { return reinterpret_cast<FakeTracker*>(t)->action; };
    }
};

FakeADM::FakeADM()
{
    if (gFake)
        throw std::logic_error("one fake dialog manager at a time");
    gFake = this;
    FakeSuites::fillDialogSuite(dialogSuite);
    FakeSuites::fillItemSuite(itemSuite);
    FakeSuites::fillDrawerSuite(drawerSuite);
    FakeSuites::fillNotifierSuite(notifierSuite);
    FakeSuites::fillTrackerSuite(trackerSuite);
    sADMDialog = &dialogSuite;
    sADMItem = &itemSuite;
    sADMDrawer = &drawerSuite;
    sADMNotifier = &notifierSuite;
    sADMTracker = &trackerSuite;
}

FakeADM::~FakeADM()
{
    sADMDialog = nullptr;
    sADMItem = nullptr;
    sADMDrawer = nullptr;
    sADMNotifier = nullptr;
    sADMTracker = nullptr;
    gFake = nullptr;
}

FakeADM& FakeADM::current()
{
    return *gFake;
}

FakeDialog* FakeADM::newDialog(ADMDialogInitProc init, void* userData)
{
    dialogs.push_back(std::make_unique<FakeDialog>());
    FakeDialog* dialog = dialogs.back().get();
    dialog->userData = userData;
    if (init)
        init(ref(dialog));
    return dialog;
}

FakeItem* FakeADM::newItem(FakeDialog* dialog, const char* type, const ADMRect& bounds, ADMItemInitProc init,
                           void* userData)
{
    dialog->items.push_back(std::make_unique<FakeItem>());
    FakeItem* item = dialog->items.back().get();
    item->dialog = dialog;
    item->id = nextItemID_++;
    item->type = type;
    item->bounds = bounds;
    item->userData = userData;
    if (init)
        init(ref(item));
    return item;
}

void FakeADM::destroyItem(FakeItem* item)
{
    ++item->destroyRequests;
    // A request for an item already being destroyed (or gone) has no effect.
    if (item->destroying || item->destroyed)
        return;
    item->destroying = true;
    if (item->destroy)
        item->destroy(ref(item));
    item->destroyed = true;
}

void FakeADM::destroyDialog(FakeDialog* dialog)
{
    ++dialog->destroyRequests;
    if (dialog->destroying || dialog->destroyed)
        return;
    dialog->destroying = true;
    for (auto& item : dialog->items)
        destroyItem(item.get());
    if (dialog->destroy)
        dialog->destroy(ref(dialog));
    dialog->destroyed = true;
}

} // namespace vendrel::test
