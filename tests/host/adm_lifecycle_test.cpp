// Dialog and item lifetimes as a plug-in sees them through the dialog-manager suites: modal runs, the order
// of the closing notifications and destroy callbacks, repeated destroy requests and stale references.
#include <gtest/gtest.h>

#include <set>

#include "adm_suites_fixture.h"

namespace vendrel::test {
namespace {

using Lifecycle = AdmSuitesTest;

ADMDialogRef gDialog = nullptr;
ADMItemRef gFirst = nullptr;
ADMItemRef gSecond = nullptr;

void logDialogNotify(ADMDialogRef dialog, ADMNotifierRef notifier)
{
    auto* test = AdmSuitesTest::current;
    if (test->notifiers->IsNotifierType(notifier, kADMDeactivateWindowNotifier))
        test->events.push_back("deactivate");
    test->dialogs->DefaultNotify(dialog, notifier);
}

void logItemDestroy(ADMItemRef item)
{
    auto* test = AdmSuitesTest::current;
    test->events.push_back("destroy item " + std::to_string(test->items->GetID(item)));
}

void logDialogDestroy(ADMDialogRef)
{
    AdmSuitesTest::current->events.push_back("destroy dialog");
}

ASErr initWithTwoItems(ADMDialogRef dialog)
{
    auto* test = AdmSuitesTest::current;
    gDialog = dialog;
    test->events.push_back("init");
    test->dialogs->SetNotifyProc(dialog, logDialogNotify);
    test->dialogs->SetDestroyProc(dialog, logDialogDestroy);
    gFirst = test->createItem(dialog, kADMTextCheckBoxType, {10, 10, 100, 30});
    gSecond = test->createItem(dialog, kADMTextEditType, {10, 40, 100, 60});
    test->items->SetDestroyProc(gFirst, logItemDestroy);
    test->items->SetDestroyProc(gSecond, logItemDestroy);
    return 0;
}

TEST_F(Lifecycle, ModalReturnsTheEndingItemAndLeavesNothingBehind)
{
    frontEnd.pressCancel();
    EXPECT_EQ(runModal(initWithTwoItems), 2);
    EXPECT_TRUE(frontEnd.problems().empty());

    // Every reference of the closed dialog is dead: calls on it do nothing and answer empty.
    const size_t eventsAfterClose = events.size();
    EXPECT_EQ(dialogs->GetItem(gDialog, 1), nullptr);
    EXPECT_EQ(dialogs->GetUserData(gDialog), nullptr);
    EXPECT_EQ(items->GetID(gFirst), 0);
    EXPECT_EQ(items->GetDialog(gSecond), nullptr);
    items->SetIntValue(gSecond, 5);
    items->Destroy(gFirst);
    dialogs->Destroy(gDialog);
    EXPECT_EQ(events.size(), eventsAfterClose);
}

TEST_F(Lifecycle, ModalEndsWithOKWhenTheFrontEndAcceptsTheDialog)
{
    EXPECT_EQ(runModal(initWithTwoItems), 1); // an empty script presses OK
    ASSERT_EQ(frontEnd.dialogsShown().size(), 1u);
    EXPECT_EQ(frontEnd.dialogsShown()[0], "Test Dialog");
}

TEST_F(Lifecycle, DeactivationComesBeforeItemsAreDestroyedAndTheDialogLast)
{
    frontEnd.pressOK();
    ASSERT_EQ(runModal(initWithTwoItems), 1);
    const std::vector<std::string> expected = {"init", "deactivate", "destroy item 3", "destroy item 4",
                                               "destroy dialog"};
    EXPECT_EQ(events, expected);
}

TEST_F(Lifecycle, ModalWithoutFrontEndPressesOK)
{
    context.frontEnd = nullptr;
    EXPECT_EQ(runModal(initWithTwoItems), 1);
}

int gDestroyCalls = 0;

// As a plug-in's item wrapper does: its destructor, run from the destroy callback, clears the item and asks
// the host to destroy it again.
void destroyAgain(ADMItemRef item)
{
    auto* test = AdmSuitesTest::current;
    ++gDestroyCalls;
    test->items->SetUserData(item, nullptr);
    test->items->SetDestroyProc(item, nullptr);
    test->items->Destroy(item);
}

ASErr initWithSelfDestroyingItem(ADMDialogRef dialog)
{
    auto* test = AdmSuitesTest::current;
    gFirst = test->createItem(dialog, kADMUserType, {0, 0, 20, 20});
    test->items->SetDestroyProc(gFirst, destroyAgain);
    return 0;
}

TEST_F(Lifecycle, DestroyCallbackRunsOnceWhenItAsksForDestructionAgain)
{
    gDestroyCalls = 0;
    ASSERT_EQ(runModal(initWithSelfDestroyingItem), 1);
    EXPECT_EQ(gDestroyCalls, 1);
}

TEST_F(Lifecycle, ItemDestroyedWhileOpenIsNotDestroyedAgainWhenTheDialogCloses)
{
    gDestroyCalls = 0;
    frontEnd.onModal([&](AdmDialog& dialog) {
        const size_t before = dialog.items().size();
        items->Destroy(gFirst);
        EXPECT_EQ(gDestroyCalls, 1);
        EXPECT_EQ(dialog.items().size(), before - 1);
        EXPECT_EQ(items->GetID(gFirst), 0);
        dialog.pressOK();
        return dialog.endingId();
    });
    ASSERT_EQ(runModal(initWithSelfDestroyingItem), 1);
    EXPECT_EQ(gDestroyCalls, 1);
}

void* gUserDataSeenAtInit = nullptr;

ASErr initNonModal(ADMDialogRef dialog)
{
    auto* test = AdmSuitesTest::current;
    gUserDataSeenAtInit = test->dialogs->GetUserData(dialog);
    test->dialogs->SetDestroyProc(dialog, logDialogDestroy);
    gFirst = test->createItem(dialog, kADMTextStaticType, {0, 0, 50, 20});
    test->items->SetDestroyProc(gFirst, logItemDestroy);
    return 0;
}

TEST_F(Lifecycle, NonModalDialogLivesUntilDestroyedAndIsDestroyedOnce)
{
    int wrapper = 0;
    ADMDialogRef dialog = dialogs->Create(nullptr, "Palette", 16001, 0, initNonModal, &wrapper, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(gUserDataSeenAtInit, &wrapper);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(items->GetDialog(gFirst), dialog);

    dialogs->Destroy(dialog);
    const std::vector<std::string> expected = {"destroy item 3", "destroy dialog"};
    EXPECT_EQ(events, expected);
    dialogs->Destroy(dialog);
    EXPECT_EQ(events, expected);
    EXPECT_EQ(dialogs->GetUserData(dialog), nullptr);
}

ASErr failingInit(ADMDialogRef dialog)
{
    auto* test = AdmSuitesTest::current;
    test->dialogs->SetDestroyProc(dialog, logDialogDestroy);
    gFirst = test->createItem(dialog, kADMTextStaticType, {0, 0, 50, 20});
    test->items->SetDestroyProc(gFirst, logItemDestroy);
    return -1;
}

TEST_F(Lifecycle, FailedInitShowsNothingAndStillDestroysTheItems)
{
    EXPECT_EQ(runModal(failingInit), 0);
    EXPECT_TRUE(frontEnd.dialogsShown().empty());
    EXPECT_EQ(dialogs->Create(nullptr, "Palette", 16001, 0, failingInit, nullptr, 0), nullptr);
    const std::vector<std::string> expected = {"destroy item 3", "destroy item 3"};
    EXPECT_EQ(events, expected);
}

ASErr initEmpty(ADMDialogRef dialog)
{
    gDialog = dialog;
    return 0;
}

TEST_F(Lifecycle, DialogWithoutResourceHasTheDefaultFrameWithOKAndCancel)
{
    frontEnd.onModal([&](AdmDialog& dialog) {
        EXPECT_EQ(dialog.localRect(), (AdmRect{0, 0, 300, 200}));
        ADMRect local{};
        dialogs->GetLocalRect(gDialog, &local);
        EXPECT_EQ(local.right, 300);
        EXPECT_EQ(local.bottom, 200);
        EXPECT_EQ(dialogs->GetDefaultItemID(gDialog), 1);
        EXPECT_EQ(dialogs->GetCancelItemID(gDialog), 2);
        char text[16];
        items->GetText(dialogs->GetItem(gDialog, 1), text, sizeof text);
        EXPECT_STREQ(text, "OK");
        items->GetText(dialogs->GetItem(gDialog, 2), text, sizeof text);
        EXPECT_STREQ(text, "Cancel");
        EXPECT_EQ(dialog.items().size(), 2u);
        return 2;
    });
    EXPECT_EQ(runModal(initEmpty), 2);
}

TEST_F(Lifecycle, DestroyingARunningModalDialogEndsItWithCancel)
{
    frontEnd.onModal([&](AdmDialog& dialog) {
        dialogs->Destroy(gDialog);
        EXPECT_TRUE(dialog.ended());
        return dialog.endingId();
    });
    EXPECT_EQ(runModal(initEmpty), 2);
}

TEST_F(Lifecycle, EndModalEndsWithTheGivenId)
{
    frontEnd.onModal([&](AdmDialog& dialog) {
        dialogs->EndModal(gDialog, 7, false);
        return dialog.ended() ? dialog.endingId() : -1;
    });
    EXPECT_EQ(runModal(initEmpty), 7);
}

ASErr initWithFreshIds(ADMDialogRef dialog)
{
    auto* test = AdmSuitesTest::current;
    const ADMItemRef a = test->createItem(dialog, kADMTextStaticType, {0, 0, 10, 10});
    const ADMItemRef b = test->createItem(dialog, kADMTextStaticType, {0, 0, 10, 10});
    const ADMItemRef c = test->createItem(dialog, kADMTextStaticType, {0, 0, 10, 10}, 1); // taken by OK
    const ADMItemRef d = test->createItem(dialog, kADMTextStaticType, {0, 0, 10, 10}, 40);
    for (ADMItemRef item : {a, b, c, d})
        test->events.push_back(std::to_string(test->items->GetID(item)));
    return 0;
}

TEST_F(Lifecycle, ItemIdsAreUniqueAndTheResourceButtonsKeepOneAndTwo)
{
    ASSERT_EQ(runModal(initWithFreshIds), 1);
    ASSERT_EQ(events.size(), 4u);
    std::set<std::string> ids(events.begin(), events.end());
    EXPECT_EQ(ids.size(), 4u);
    EXPECT_FALSE(ids.count("1"));
    EXPECT_FALSE(ids.count("2"));
    EXPECT_EQ(events[3], "40");
}

TEST_F(Lifecycle, MessageAlertReachesTheFrontEnd)
{
    basic->MessageAlert("The color to fill was not found");
    ASSERT_EQ(frontEnd.alerts().size(), 1u);
    EXPECT_EQ(frontEnd.alerts()[0], "The color to fill was not found");
    basic->MessageAlert(nullptr);
    EXPECT_EQ(frontEnd.alerts().size(), 1u);
}

} // namespace
} // namespace vendrel::test
