// The scripted front end: scripts played across dialogs, items named by tooltip, text or creation order,
// answers to the colour picker, and what it records of the host's messages and progress.
#include <gtest/gtest.h>

#include "adm_suites_fixture.h"

namespace vendrel::test {
namespace {

using ScriptedDialogs = AdmSuitesTest;

ADMItemRef gField = nullptr;
ADMItemRef gBox = nullptr;
ADMItemRef gSwatch = nullptr;
ADMItemRef gPopup = nullptr;

ASErr initForm(ADMDialogRef dialog)
{
    auto* test = AdmSuitesTest::current;
    gField = test->createItem(dialog, kADMTextEditType, {0, 0, 60, 20});
    test->items->SetTipString(gField, "Flag area size in pixels");
    test->items->SetMaxIntValue(gField, 10000);
    gBox = test->createItem(dialog, kADMTextCheckBoxType, {0, 30, 100, 50});
    test->items->SetText(gBox, "Flag Areas <=");
    gPopup = test->createItem(dialog, kADMPopupListType, {0, 60, 100, 80});
    test->items->SetTipString(gPopup, "Palette");
    for (int32 i = 0; i < 2; ++i)
        test->entries->SetText(test->lists->InsertEntry(test->items->GetList(gPopup), i),
                               i ? "Random Colors" : "Pastels.aco");
    return 0;
}

// Plays the script, then notes what the dialog holds just before it closes.
class Inspecting : public FrontEnd {
public:
    struct Seen {
        int32_t value;
        bool checked;
        int entry;
    };

    explicit Inspecting(ScriptedFrontEnd& script) : script_(script) {}

    int32_t runModal(AdmDialog& dialog) override
    {
        const int32_t id = script_.runModal(dialog);
        seen.push_back({dialog.find("Flag area size in pixels")->intValue(),
                        dialog.find("Flag Areas <=")->booleanValue(), dialog.find("Palette")->activeEntryIndex()});
        return id;
    }

    std::vector<Seen> seen;

private:
    ScriptedFrontEnd& script_;
};

TEST_F(ScriptedDialogs, ScriptIsPlayedAcrossDialogsInOrder)
{
    frontEnd.typeInto("Flag area size in pixels", "25")
        .click("Flag Areas <=")
        .choose("Palette", "Random Colors")
        .pressCancel();
    frontEnd.choose("Palette", 0).clickAt(3).pressOK(); // item 3 in creation order: OK, Cancel, field, check box
    Inspecting inspecting(frontEnd);
    context.frontEnd = &inspecting;

    EXPECT_EQ(dialogs->Modal(nullptr, "First", 16001, 0, initForm, nullptr, 0), 2);
    EXPECT_EQ(frontEnd.stepsLeft(), 3u);
    EXPECT_EQ(dialogs->Modal(nullptr, "Second", 16001, 0, initForm, nullptr, 0), 1);

    ASSERT_EQ(inspecting.seen.size(), 2u);
    EXPECT_EQ(inspecting.seen[0].value, 25);
    EXPECT_TRUE(inspecting.seen[0].checked);
    EXPECT_EQ(inspecting.seen[0].entry, 1);
    EXPECT_EQ(inspecting.seen[1].value, 0);
    EXPECT_TRUE(inspecting.seen[1].checked);
    EXPECT_EQ(inspecting.seen[1].entry, 0);
    EXPECT_EQ(frontEnd.stepsLeft(), 0u);
    EXPECT_TRUE(frontEnd.problems().empty());
    EXPECT_EQ(frontEnd.dialogsShown(), (std::vector<std::string>{"First", "Second"}));
}

TEST_F(ScriptedDialogs, DialogLeftOpenByTheScriptIsAcceptedWithOK)
{
    frontEnd.click("Flag Areas <=");
    EXPECT_EQ(runModal(initForm), 1);
    EXPECT_TRUE(frontEnd.problems().empty());
}

TEST_F(ScriptedDialogs, StepsThatCannotBePlayedAreReportedAndSkipped)
{
    frontEnd.click("No Such Item").choose("Palette", "Missing.aco").typeInto("Flag Areas <=", "3").pressCancel();
    EXPECT_EQ(runModal(initForm), 2);
    ASSERT_EQ(frontEnd.problems().size(), 4u); // the missing item is named once more by its step
    EXPECT_NE(frontEnd.problems()[0].find("No Such Item"), std::string::npos);
    EXPECT_EQ(frontEnd.stepsLeft(), 0u);
}

void pickOnChange(ADMItemRef item, ADMNotifierRef notifier)
{
    auto* test = AdmSuitesTest::current;
    test->items->DefaultNotify(item, notifier);
    if (!test->notifiers->IsNotifierType(notifier, kADMUserChangedNotifier))
        return;
    const auto picked = test->context.frontEnd->pickColor({0, 0, 0});
    test->events.push_back(picked ? std::to_string((*picked)[0]) + "," + std::to_string((*picked)[1]) + "," +
                                        std::to_string((*picked)[2])
                                  : "cancelled");
}

ASBoolean releaseChanges(ADMItemRef item, ADMTrackerRef tracker)
{
    auto* test = AdmSuitesTest::current;
    return test->trackers->GetAction(tracker) == kADMButtonUpAction || test->items->DefaultTrack(item, tracker);
}

ASErr initSwatch(ADMDialogRef dialog)
{
    auto* test = AdmSuitesTest::current;
    gSwatch = test->createItem(dialog, kADMUserType, {140, 20, 168, 48});
    test->items->SetTipString(gSwatch, "Select color to replace with Vendrel");
    test->items->SetTrackProc(gSwatch, releaseChanges);
    test->items->SetNotifyProc(gSwatch, pickOnChange);
    return 0;
}

TEST_F(ScriptedDialogs, ColourPicksAreAnsweredInTurnAndCancelledWithoutAnswer)
{
    const std::string swatch = "Select color to replace with Vendrel";
    frontEnd.answerColorPick({255, 255, 255}).click(swatch).cancelColorPick().click(swatch).click(swatch).pressOK();
    EXPECT_EQ(runModal(initSwatch), 1);
    EXPECT_EQ(events, (std::vector<std::string>{"255,255,255", "cancelled", "cancelled"}));
    EXPECT_EQ(frontEnd.colorPicks(), 3);
}

TEST_F(ScriptedDialogs, ProgressAlertsAndLinksAreRecordedAndAbortComesAtTheGivenRow)
{
    frontEnd.abortAtProgress(3);
    FrontEnd& host = frontEnd;
    host.progress(1, 10);
    EXPECT_FALSE(host.abortRequested());
    host.progress(2, 10);
    EXPECT_FALSE(host.abortRequested());
    host.progress(3, 10);
    EXPECT_TRUE(host.abortRequested());
    host.alert("message");
    host.browseUrl("https://vendrel.example/");
    EXPECT_EQ(frontEnd.progressReports().size(), 3u);
    EXPECT_EQ(frontEnd.progressReports().back(), (std::pair<int32_t, int32_t>{3, 10}));
    EXPECT_EQ(frontEnd.alerts(), std::vector<std::string>{"message"});
    EXPECT_EQ(frontEnd.browsedUrls(), std::vector<std::string>{"https://vendrel.example/"});
}

TEST_F(ScriptedDialogs, WithoutAbortRowTheFilterIsNeverStopped)
{
    frontEnd.progress(1000, 1000);
    EXPECT_FALSE(frontEnd.abortRequested());
}

TEST_F(ScriptedDialogs, OnModalTakesOverFromTheScript)
{
    frontEnd.pressOK();
    frontEnd.onModal([](AdmDialog& dialog) {
        dialog.pressCancel();
        return dialog.endingId();
    });
    EXPECT_EQ(runModal(initForm), 2);
    EXPECT_EQ(frontEnd.stepsLeft(), 1u);
}

} // namespace
} // namespace vendrel::test
