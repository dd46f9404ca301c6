// The dialog-manager wrappers: callback routing through user data, and who destroys what.
#include <gtest/gtest.h>

#include "BaseADMDialog.h"
#include "BaseADMItem.h"
#include "ui_fake_adm.h"

namespace vendrel::test {
namespace {

struct Counters {
    int inits = 0;
    int draws = 0;
    int tracks = 0;
    int notifies = 0;
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
        return BaseADMDialog::Init();
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

private:
    Counters& counters_;
};

ADMDrawerRef AnyDrawer()
{
    static int drawer;
    return reinterpret_cast<ADMDrawerRef>(&drawer);
}

TEST(ModalDialogWrapper, RunsInitAndReturnsTheEndingItem)
{
    FakeADM adm;
    adm.modalResult = 2;
    Counters counters;
    {
        ProbeDialog dialog(counters);
        EXPECT_EQ(dialog.Modal(nullptr, "Probe", 16001, 0, 0), 2);
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_EQ(counters.inits, 1);
        EXPECT_EQ(counters.destroys, 1);
        // The host dialog is gone; the wrapper lives on without it.
        EXPECT_EQ(dialog.GetDialogRef(), nullptr);
        EXPECT_EQ(counters.deletes, 0);
    }
    EXPECT_EQ(counters.deletes, 1);
    // A modal wrapper never asks the host to destroy a dialog.
    EXPECT_EQ(adm.dialogDestroyCalls, 0);
}

TEST(ModalDialogWrapper, InitInstallsTheDialogCallbacks)
{
    FakeADM adm;
    Counters counters;
    ProbeDialog dialog(counters);
    dialog.Modal(nullptr, "Probe", 16001, 0, 0);
    ASSERT_EQ(adm.dialogs.size(), 1u);
    const FakeDialog& host = *adm.dialogs[0];
    EXPECT_NE(host.draw, nullptr);
    EXPECT_NE(host.track, nullptr);
    EXPECT_NE(host.notify, nullptr);
    EXPECT_NE(host.destroy, nullptr);
}

TEST(NonModalDialogWrapper, CallbacksReachTheWrapper)
{
    FakeADM adm;
    adm.defaultTrackAnswer = true;
    Counters counters;
    auto* dialog = new ProbeDialog(counters);
    ADMDialogRef ref = dialog->Create(nullptr, "Probe", 16001, 0, 0);
    ASSERT_NE(ref, nullptr);
    EXPECT_EQ(dialog->GetDialogRef(), ref);
    EXPECT_FALSE(dialog->IsModal());
    EXPECT_EQ(counters.inits, 1);

    FakeDialog* host = adm.dialogOf(ref);
    host->draw(ref, AnyDrawer());
    FakeTracker tracker;
    EXPECT_TRUE(host->track(ref, reinterpret_cast<ADMTrackerRef>(&tracker)));
    FakeNotifier notifier{nullptr, kADMUserChangedNotifier};
    host->notify(ref, reinterpret_cast<ADMNotifierRef>(&notifier));
    EXPECT_EQ(counters.draws, 1);
    EXPECT_EQ(counters.tracks, 1);
    EXPECT_EQ(counters.notifies, 1);
    delete dialog;
}

TEST(NonModalDialogWrapper, TheHostDestroyingTheDialogDeletesTheWrapper)
{
    FakeADM adm;
    Counters counters;
    auto* dialog = new ProbeDialog(counters);
    ADMDialogRef ref = dialog->Create(nullptr, "Probe", 16001, 0, 0);
    adm.destroyDialog(adm.dialogOf(ref));
    EXPECT_EQ(counters.destroys, 1);
    EXPECT_EQ(counters.deletes, 1);
}

TEST(NonModalDialogWrapper, DeletingTheWrapperDestroysItsHostDialogWithoutCallingBack)
{
    FakeADM adm;
    Counters counters;
    auto* dialog = new ProbeDialog(counters);
    ADMDialogRef ref = dialog->Create(nullptr, "Probe", 16001, 0, 0);
    FakeDialog* host = adm.dialogOf(ref);
    delete dialog;
    EXPECT_EQ(counters.deletes, 1);
    EXPECT_TRUE(host->destroyed);
    EXPECT_EQ(host->userData, nullptr);
    EXPECT_EQ(host->destroy, nullptr);
    EXPECT_EQ(counters.destroys, 0);
}

TEST(NonModalDialogWrapper, ACallbackWithoutAWrapperDoesNothing)
{
    FakeADM adm;
    adm.defaultTrackAnswer = true;
    Counters counters;
    auto* dialog = new ProbeDialog(counters);
    ADMDialogRef ref = dialog->Create(nullptr, "Probe", 16001, 0, 0);
    FakeDialog* host = adm.dialogOf(ref);
    ADMDialogTrackProc track = host->track;
    delete dialog;
    FakeTracker tracker;
    EXPECT_FALSE(track(ref, reinterpret_cast<ADMTrackerRef>(&tracker)));
    EXPECT_EQ(counters.tracks, 0);
}

TEST(ItemWrapper, CreatedThroughTheWrapperRunsInit)
{
    FakeADM adm;
    FakeDialog* host = adm.newDialog(nullptr, nullptr);
    Counters counters;
    auto* item = new ProbeItem(counters);
    ADMItemRef ref = item->Create(FakeADM::ref(host), ADMRect{1, 2, 3, 4}, kADMUserType, 0);
    ASSERT_NE(ref, nullptr);
    EXPECT_EQ(item->GetItemRef(), ref);
    EXPECT_EQ(counters.inits, 1);
    const FakeItem* fake = adm.itemOf(ref);
    EXPECT_EQ(fake->userData, item);
    EXPECT_NE(fake->draw, nullptr);
    EXPECT_NE(fake->destroy, nullptr);
    adm.destroyDialog(host);
    EXPECT_EQ(counters.deletes, 1);
}

TEST(ItemWrapper, AttachedToAnExistingItemSkipsInitButRoutesCallbacks)
{
    FakeADM adm;
    adm.defaultTrackAnswer = true;
    FakeDialog* host = adm.newDialog(nullptr, nullptr);
    FakeItem* fake = adm.newItem(host, kADMUserType, ADMRect{0, 0, 10, 10}, nullptr, nullptr);
    Counters counters;
    auto* item = new ProbeItem(counters, FakeADM::ref(fake));
    EXPECT_EQ(counters.inits, 0);
    EXPECT_EQ(fake->userData, item);

    ADMItemRef ref = FakeADM::ref(fake);
    fake->draw(ref, AnyDrawer());
    FakeTracker tracker;
    EXPECT_TRUE(fake->track(ref, reinterpret_cast<ADMTrackerRef>(&tracker)));
    FakeNotifier notifier{fake, kADMUserChangedNotifier};
    fake->notify(ref, reinterpret_cast<ADMNotifierRef>(&notifier));
    float value = 0;
    EXPECT_TRUE(fake->textToFloat(ref, "1", &value));
    EXPECT_FLOAT_EQ(value, 42.5f);
    EXPECT_EQ(counters.draws, 1);
    EXPECT_EQ(counters.tracks, 1);
    EXPECT_EQ(counters.notifies, 1);
    EXPECT_EQ(fake->defaultNotifies, 1);

    // The host owns the wrapper: destroying the item deletes it, and its own destroy request is harmless.
    adm.destroyItem(fake);
    EXPECT_EQ(counters.deletes, 1);
    EXPECT_EQ(fake->destroyRequests, 2);
    EXPECT_EQ(fake->userData, nullptr);
    // The track callback is left installed and now finds no wrapper.
    ASSERT_NE(fake->track, nullptr);
    EXPECT_FALSE(fake->track(ref, reinterpret_cast<ADMTrackerRef>(&tracker)));
    EXPECT_EQ(counters.tracks, 1);
}

TEST(ItemWrapper, AttachingToNoItemInstallsNothing)
{
    FakeADM adm;
    Counters counters;
    {
        ProbeItem item(counters, nullptr);
        EXPECT_EQ(item.GetItemRef(), nullptr);
    }
    EXPECT_EQ(counters.deletes, 1);
}

} // namespace
} // namespace vendrel::test
