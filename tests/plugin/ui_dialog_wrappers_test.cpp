// The dialog-manager wrappers on the host's dialog manager: callback routing through user data, and who
// destroys what.
#include <gtest/gtest.h>

#include "BaseADMDialog.h"
#include "BaseADMItem.h"
#include "host_dialog_manager.h"
#include "vendrel/host/DialogRenderer.h"

namespace vendrel::test {
namespace {

struct Counters {
    int inits = 0;
    int draws = 0;
    int tracks = 0;
    int notifies = 0;
    int conversions = 0;
    int destroys = 0;
    int deletes = 0;
};

class ProbeDialog : public BaseADMDialog {
public:
    explicit ProbeDialog(Counters& counters) : counters_(counters) {}
    ~ProbeDialog() override { ++counters_.deletes; }
    ASErr Init() override
    {
        ++counters_.inits;
        const ASErr installed = BaseADMDialog::Init();
        return failInit ? -1 : installed;
    }
    void Draw(ADMDrawerRef drawer) override
    {
        ++counters_.draws;
        BaseADMDialog::Draw(drawer);
    }
    bool Track(ADMTrackerRef tracker) override
    {
        ++counters_.tracks;
        return BaseADMDialog::Track(tracker);
    }
    void Notify(ADMNotifierRef notifier) override
    {
        ++counters_.notifies;
        BaseADMDialog::Notify(notifier);
    }
    void Destroy() override { ++counters_.destroys; }
    bool failInit = false;

private:
    Counters& counters_;
};

class ProbeItem : public BaseADMItem {
public:
    explicit ProbeItem(Counters& counters) : counters_(counters) {}
    ProbeItem(Counters& counters, ADMItemRef item) : BaseADMItem(item), counters_(counters) {}
    ~ProbeItem() override { ++counters_.deletes; }
    ASErr Init() override
    {
        ++counters_.inits;
        return BaseADMItem::Init();
    }
    void Draw(ADMDrawerRef drawer) override
    {
        ++counters_.draws;
        BaseADMItem::Draw(drawer);
    }
    bool Track(ADMTrackerRef tracker) override
    {
        ++counters_.tracks;
        return BaseADMItem::Track(tracker);
    }
    void Notify(ADMNotifierRef notifier) override
    {
        ++counters_.notifies;
        BaseADMItem::Notify(notifier);
    }
    bool TextToFloat(const char* text, float* value) override
    {
        ++counters_.conversions;
        return BaseADMItem::TextToFloat(text, value);
    }
    bool FloatToText(float value, char* text, int32 textLength) override
    {
        ++counters_.conversions;
        return BaseADMItem::FloatToText(value, text, textLength);
    }

private:
    Counters& counters_;
};

TEST(ModalDialogWrapper, RunsInitRoutesCallbacksAndReturnsTheEndingItem)
{
    HostDialogManager adm;
    int destroyRequests = 0;
    adm.onDialogDestroyRequest = [&](ADMDialogRef) { ++destroyRequests; };
    Counters counters;
    {
        ProbeDialog dialog(counters);
        adm.frontEnd.onModal([&](AdmDialog& shown) {
            EXPECT_EQ(counters.inits, 1);
            renderDialog(shown);
            EXPECT_FALSE(adm.track(shown, kADMButtonDownAction));
            shown.pressCancel(); // ends the dialog only through the wrapper's notify and the host's default
            return shown.endingId();
        });
        EXPECT_EQ(dialog.Modal(nullptr, "Probe", 16001, 0, 0), 2);
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_EQ(counters.draws, 1);
        EXPECT_EQ(counters.tracks, 1);
        EXPECT_EQ(counters.notifies, 2); // the click on Cancel, then the closing deactivation
        EXPECT_EQ(counters.destroys, 1);
        // The host dialog is gone; the wrapper lives on without it.
        EXPECT_EQ(dialog.GetDialogRef(), nullptr);
        EXPECT_EQ(counters.deletes, 0);
    }
    EXPECT_EQ(counters.deletes, 1);
    // A modal wrapper never asks the host to destroy a dialog.
    EXPECT_EQ(destroyRequests, 0);
}

// After a failed init the host frees the dialog without a destroy callback; the wrapper still asks nothing.
TEST(ModalDialogWrapper, AFailedInitShowsNothingAndLeavesNothingToDestroy)
{
    HostDialogManager adm;
    int destroyRequests = 0;
    adm.onDialogDestroyRequest = [&](ADMDialogRef) { ++destroyRequests; };
    Counters counters;
    {
        ProbeDialog dialog(counters);
        dialog.failInit = true;
        EXPECT_EQ(dialog.Modal(nullptr, "Probe", 16001, 0, 0), 0);
        EXPECT_TRUE(adm.frontEnd.dialogsShown().empty());
    }
    EXPECT_EQ(counters.destroys, 0);
    EXPECT_EQ(destroyRequests, 0);
}

TEST(NonModalDialogWrapper, CallbacksReachTheWrapper)
{
    HostDialogManager adm;
    adm.defaultTrackAnswer = true;
    Counters counters;
    auto* dialog = new ProbeDialog(counters);
    ADMDialogRef ref = dialog->Create(nullptr, "Probe", 16001, 0, 0);
    ASSERT_NE(ref, nullptr);
    EXPECT_EQ(dialog->GetDialogRef(), ref);
    EXPECT_FALSE(dialog->IsModal());
    EXPECT_EQ(counters.inits, 1);

    AdmDialog& shown = *adm.dialog(ref);
    renderDialog(shown);
    EXPECT_TRUE(adm.track(shown, kADMButtonDownAction));
    EXPECT_TRUE(shown.pressOK());
    EXPECT_EQ(counters.draws, 1);
    EXPECT_EQ(counters.tracks, 1);
    EXPECT_EQ(counters.notifies, 1);
    delete dialog;
}

TEST(NonModalDialogWrapper, TheHostDestroyingTheDialogDeletesTheWrapper)
{
    HostDialogManager adm;
    Counters counters;
    auto* dialog = new ProbeDialog(counters);
    adm.destroyByHost(dialog->Create(nullptr, "Probe", 16001, 0, 0));
    EXPECT_EQ(counters.destroys, 1);
    EXPECT_EQ(counters.deletes, 1);
}

TEST(NonModalDialogWrapper, DeletingTheWrapperDestroysItsHostDialogWithoutCallingBack)
{
    HostDialogManager adm;
    int destroyRequests = 0;
    adm.onDialogDestroyRequest = [&](ADMDialogRef) { ++destroyRequests; };
    Counters counters;
    auto* dialog = new ProbeDialog(counters);
    ADMDialogRef ref = dialog->Create(nullptr, "Probe", 16001, 0, 0);
    delete dialog;
    EXPECT_EQ(destroyRequests, 1);
    EXPECT_EQ(adm.dialog(ref), nullptr);
    EXPECT_EQ(counters.deletes, 1);
    EXPECT_EQ(counters.destroys, 0);
}

TEST(DialogManagerWrappers, CallbacksWithoutAWrapperDoNothing)
{
    HostDialogManager adm;
    adm.defaultTrackAnswer = true;
    Counters counters;
    auto* dialog = new ProbeDialog(counters);
    ADMDialogRef ref = dialog->Create(nullptr, "Probe", 16001, 0, 0);
    const ADMRect bounds{0, 0, 10, 10};
    ADMItemRef itemRef = sADMItem->Create(ref, 0, kADMUserType, &bounds, nullptr, nullptr);
    auto* item = new ProbeItem(counters, itemRef);
    sADMDialog->SetUserData(ref, nullptr);
    sADMItem->SetUserData(itemRef, nullptr);

    AdmDialog& shown = *adm.dialog(ref);
    renderDialog(shown);
    EXPECT_FALSE(adm.track(shown, kADMButtonDownAction));
    EXPECT_FALSE(adm.track(*adm.item(itemRef), kADMButtonDownAction));
    EXPECT_TRUE(shown.click(*adm.item(itemRef)));
    EXPECT_TRUE(shown.pressOK());
    EXPECT_EQ(counters.draws + counters.tracks + counters.notifies, 0);
    delete item;
    delete dialog;
}

TEST(ItemWrapper, CreatedThroughTheWrapperRunsInit)
{
    HostDialogManager adm;
    ADMDialogRef host = adm.openDialog();
    Counters counters;
    auto* item = new ProbeItem(counters);
    ADMItemRef ref = item->Create(host, ADMRect{1, 2, 3, 4}, kADMUserType, 0);
    ASSERT_NE(ref, nullptr);
    EXPECT_EQ(item->GetItemRef(), ref);
    EXPECT_EQ(counters.inits, 1);
    EXPECT_EQ(sADMItem->GetUserData(ref), item);
    EXPECT_TRUE(adm.item(ref)->drawsItself());
    sADMDialog->Destroy(host);
    EXPECT_EQ(counters.deletes, 1);
}

TEST(ItemWrapper, AttachedToAnExistingItemSkipsInitButRoutesCallbacks)
{
    HostDialogManager adm;
    adm.defaultTrackAnswer = true;
    ADMDialogRef host = adm.openDialog();
    const ADMRect bounds{0, 0, 10, 10};
    ADMItemRef ref = sADMItem->Create(host, 0, kADMTextEditType, &bounds, nullptr, nullptr);
    Counters counters;
    auto* item = new ProbeItem(counters, ref);
    EXPECT_EQ(counters.inits, 0);
    EXPECT_EQ(sADMItem->GetUserData(ref), item);

    AdmDialog& shown = *adm.dialog(host);
    AdmItem& field = *adm.item(ref);
    shown.recordDrawing(field);
    EXPECT_TRUE(adm.track(field, kADMButtonDownAction));
    // The text goes through the wrapper to the host's own conversions, and the notification on to the dialog.
    EXPECT_TRUE(shown.typeText(field, "17"));
    EXPECT_EQ(field.valueText(), "17");
    EXPECT_EQ(field.intValue(), 17);
    EXPECT_EQ(counters.draws, 1);
    EXPECT_EQ(counters.tracks, 1);
    EXPECT_EQ(counters.conversions, 2);
    EXPECT_EQ(counters.notifies, 1);
    EXPECT_EQ(adm.dialogNotifications, 1);

    // The host owns the wrapper: destroying the item deletes it, and its own destroy request is harmless.
    int destroyRequests = 0;
    adm.onItemDestroyRequest = [&](ADMItemRef) { ++destroyRequests; };
    adm.destroyByHost(ref);
    EXPECT_EQ(counters.deletes, 1);
    EXPECT_EQ(destroyRequests, 1);
    EXPECT_EQ(adm.item(ref), nullptr);
    adm.destroyByHost(host);
}

TEST(ItemWrapper, AttachingToNoItemInstallsNothing)
{
    HostDialogManager adm;
    int destroyRequests = 0;
    adm.onItemDestroyRequest = [&](ADMItemRef) { ++destroyRequests; };
    Counters counters;
    {
        ProbeItem item(counters, nullptr);
        EXPECT_EQ(item.GetItemRef(), nullptr);
    }
    EXPECT_EQ(counters.deletes, 1);
    EXPECT_EQ(destroyRequests, 0);
}

} // namespace
} // namespace vendrel::test
