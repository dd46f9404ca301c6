// Items of a dialog as a plug-in builds and reads them, driven by a front end's clicks and typing: radio
// groups, check boxes, custom items and their tracking, entry fields and their limits, popups, notifications
// and drawing.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "adm_suites_fixture.h"

namespace vendrel::test {
namespace {

// Each test builds its items in `build` (run from the init callback) and acts in the front end's callback.
class Items : public AdmSuitesTest {
protected:
    int32 run(std::function<void(ADMDialogRef)> buildItems, std::function<int32_t(AdmDialog&)> act)
    {
        build = std::move(buildItems);
        frontEnd.onModal(std::move(act));
        return runModal(initFromTest);
    }

    static ASErr initFromTest(ADMDialogRef dialog)
    {
        auto* test = static_cast<Items*>(current);
        test->dialog = dialog;
        test->build(dialog);
        return 0;
    }

    // The front end's view of an item the plug-in created.
    AdmItem& view(AdmDialog& shown, ADMItemRef item)
    {
        AdmItem* found = shown.itemById(items->GetID(item));
        EXPECT_NE(found, nullptr);
        return *found;
    }

    std::function<void(ADMDialogRef)> build;
    ADMDialogRef dialog = nullptr;
};

void countUserChanged(ADMItemRef item, ADMNotifierRef notifier)
{
    auto* test = AdmSuitesTest::current;
    if (test->notifiers->IsNotifierType(notifier, kADMUserChangedNotifier))
        test->events.push_back("changed " + std::to_string(test->items->GetID(item)));
    test->items->DefaultNotify(item, notifier);
}

TEST_F(Items, RadioButtonsOfOneDialogActAsOneGroup)
{
    ADMItemRef area = nullptr, size = nullptr, third = nullptr;
    run(
        [&](ADMDialogRef d) {
            area = createItem(d, kADMTextRadioButtonType, {0, 0, 80, 14});
            size = createItem(d, kADMTextRadioButtonType, {0, 20, 80, 34});
            third = createItem(d, kADMTextRadioButtonType, {0, 40, 80, 54});
            items->SetNotifyProc(size, countUserChanged);
            items->SetBooleanValue(area, true);
            items->SetBooleanValue(size, false);
            items->SetBooleanValue(third, true);
        },
        [&](AdmDialog& shown) {
            EXPECT_FALSE(items->GetBooleanValue(area));
            EXPECT_TRUE(items->GetBooleanValue(third));

            EXPECT_TRUE(shown.click(view(shown, size)));
            EXPECT_TRUE(items->GetBooleanValue(size));
            EXPECT_FALSE(items->GetBooleanValue(area));
            EXPECT_FALSE(items->GetBooleanValue(third));

            // Clicking the radio that is on keeps it on.
            EXPECT_TRUE(shown.click(view(shown, size)));
            EXPECT_TRUE(view(shown, size).booleanValue());
            shown.pressOK();
            return shown.endingId();
        });
    const std::vector<std::string> expected = {"changed 4", "changed 4"};
    EXPECT_EQ(events, expected);
}

TEST_F(Items, CheckBoxTogglesAndDisabledItemsIgnoreClicks)
{
    ADMItemRef box = nullptr;
    run(
        [&](ADMDialogRef d) {
            box = createItem(d, kADMTextCheckBoxType, {0, 0, 80, 14});
            items->SetText(box, "Join Areas <=");
            items->SetNotifyProc(box, countUserChanged);
        },
        [&](AdmDialog& shown) {
            AdmItem* found = shown.findByText("Join Areas <=");
            EXPECT_NE(found, nullptr);
            EXPECT_TRUE(shown.click(*found));
            EXPECT_TRUE(items->GetBooleanValue(box));
            EXPECT_TRUE(shown.click(*found));
            EXPECT_FALSE(items->GetBooleanValue(box));
            items->Enable(box, false);
            EXPECT_FALSE(items->IsEnabled(box));
            EXPECT_FALSE(shown.click(*found));
            EXPECT_FALSE(items->GetBooleanValue(box));
            shown.pressOK();
            return shown.endingId();
        });
    EXPECT_EQ(events.size(), 2u); // the disabled click sent nothing
}

// A plug-in's item wrapper: the callbacks find it through the item's user data and do nothing without it.
struct Wrapper {
    int notifications = 0;
    std::vector<int32> actions;
    bool changeOnRelease = true;
};

ASBoolean wrapperTrack(ADMItemRef item, ADMTrackerRef tracker)
{
    auto* test = AdmSuitesTest::current;
    auto* wrapper = static_cast<Wrapper*>(test->items->GetUserData(item));
    if (!wrapper)
        return false;
    const int32 action = test->trackers->GetAction(tracker);
    wrapper->actions.push_back(action);
    const bool defaultAnswer = test->items->DefaultTrack(item, tracker);
    return action == kADMButtonUpAction ? wrapper->changeOnRelease : defaultAnswer;
}

void wrapperNotify(ADMItemRef item, ADMNotifierRef notifier)
{
    auto* test = AdmSuitesTest::current;
    auto* wrapper = static_cast<Wrapper*>(test->items->GetUserData(item));
    if (!wrapper)
        return;
    test->items->DefaultNotify(item, notifier);
    if (test->notifiers->IsNotifierType(notifier, kADMUserChangedNotifier))
        ++wrapper->notifications;
}

ADMItemRef wrappedUserItem(AdmSuitesTest& test, ADMDialogRef dialog, Wrapper& wrapper)
{
    ADMItemRef swatch = test.createItem(dialog, kADMUserType, {140, 20, 168, 48});
    test.items->SetUserData(swatch, &wrapper);
    test.items->SetTrackProc(swatch, wrapperTrack);
    test.items->SetNotifyProc(swatch, wrapperNotify);
    return swatch;
}

TEST_F(Items, UserItemClickTracksDownThenUpAndNotifiesWhenTrackAnswersTrue)
{
    Wrapper wrapper;
    ADMItemRef swatch = nullptr;
    run([&](ADMDialogRef d) { swatch = wrappedUserItem(*this, d, wrapper); },
        [&](AdmDialog& shown) {
            EXPECT_TRUE(shown.click(view(shown, swatch)));
            shown.pressOK();
            return shown.endingId();
        });
    const std::vector<int32> expected = {kADMButtonDownAction, kADMButtonUpAction};
    EXPECT_EQ(wrapper.actions, expected);
    EXPECT_EQ(wrapper.notifications, 1);
}

TEST_F(Items, UserItemWhoseTrackAnswersFalseIsNotNotified)
{
    Wrapper wrapper;
    wrapper.changeOnRelease = false;
    ADMItemRef swatch = nullptr;
    run([&](ADMDialogRef d) { swatch = wrappedUserItem(*this, d, wrapper); },
        [&](AdmDialog& shown) {
            shown.click(view(shown, swatch));
            items->Enable(swatch, false);
            EXPECT_FALSE(shown.click(view(shown, swatch)));
            shown.pressOK();
            return shown.endingId();
        });
    EXPECT_EQ(wrapper.actions.size(), 2u); // the disabled click was not tracked
    EXPECT_EQ(wrapper.notifications, 0);
}

TEST_F(Items, UserItemWithoutTrackCallbackUsesTheDefaultThatChangesNothing)
{
    ADMItemRef plain = nullptr;
    run(
        [&](ADMDialogRef d) {
            plain = createItem(d, kADMUserType, {0, 0, 20, 20});
            items->SetNotifyProc(plain, countUserChanged);
        },
        [&](AdmDialog& shown) {
            shown.click(view(shown, plain));
            shown.pressOK();
            return shown.endingId();
        });
    EXPECT_TRUE(events.empty());
}

TEST_F(Items, TrackerMaskLimitsTheActionsAnItemIsGiven)
{
    Wrapper wrapper;
    ADMItemRef swatch = nullptr;
    run(
        [&](ADMDialogRef d) {
            swatch = wrappedUserItem(*this, d, wrapper);
            items->SetMask(swatch, kADMButtonUpMask);
        },
        [&](AdmDialog& shown) {
            EXPECT_EQ(items->GetMask(swatch), kADMButtonUpMask);
            shown.click(view(shown, swatch));
            shown.pressOK();
            return shown.endingId();
        });
    EXPECT_EQ(wrapper.actions, std::vector<int32>{kADMButtonUpAction});
    EXPECT_EQ(wrapper.notifications, 1);
}

TEST_F(Items, CallbacksFindNothingOnceTheUserDataIsCleared)
{
    Wrapper wrapper;
    ADMItemRef swatch = nullptr;
    run([&](ADMDialogRef d) { swatch = wrappedUserItem(*this, d, wrapper); },
        [&](AdmDialog& shown) {
            items->SetUserData(swatch, nullptr);
            EXPECT_EQ(items->GetUserData(swatch), nullptr);
            shown.click(view(shown, swatch));
            shown.pressOK();
            return shown.endingId();
        });
    EXPECT_TRUE(wrapper.actions.empty());
    EXPECT_EQ(wrapper.notifications, 0);
}

TEST_F(Items, EntryFieldClampsTypedNumbersToItsLimits)
{
    ADMItemRef tolerance = nullptr, joinSize = nullptr;
    run(
        [&](ADMDialogRef d) {
            tolerance = createItem(d, kADMTextEditType, {247, 24, 320, 44});
            items->SetTipString(tolerance, "Tolerance tip");
            items->SetMinIntValue(tolerance, 0);
            items->SetMaxIntValue(tolerance, 100);
            items->SetIntValue(tolerance, 0);
            items->SetUnits(tolerance, kADMNoUnits);
            items->SetAllowUnits(tolerance, false);
            items->SetNotifyProc(tolerance, countUserChanged);
            joinSize = createItem(d, kADMTextEditType, {140, 115, 220, 135});
            items->SetMinIntValue(joinSize, 0);
            items->SetMaxIntValue(joinSize, 10000);
            items->SetIntValue(joinSize, 10);
            items->SetUnits(joinSize, kADMPixelUnits);
            items->SetAllowUnits(joinSize, true);
        },
        [&](AdmDialog& shown) {
            AdmItem* field = shown.findByTooltip("Tolerance tip");
            EXPECT_NE(field, nullptr);
            EXPECT_TRUE(shown.typeText(*field, "250"));
            EXPECT_EQ(items->GetIntValue(tolerance), 100);
            EXPECT_TRUE(shown.typeText(*field, "-5"));
            EXPECT_EQ(items->GetIntValue(tolerance), 0);
            EXPECT_TRUE(shown.typeText(*field, " 42.6 "));
            EXPECT_EQ(items->GetIntValue(tolerance), 43);
            char text[8];
            items->GetText(tolerance, text, sizeof text);
            EXPECT_STREQ(text, "43");
            // Not a number, or units where none are accepted: refused, value kept, nothing sent.
            EXPECT_FALSE(shown.typeText(*field, "abc"));
            EXPECT_FALSE(shown.typeText(*field, "12 px"));
            EXPECT_EQ(items->GetIntValue(tolerance), 43);

            EXPECT_TRUE(shown.typeText(view(shown, joinSize), "12 px"));
            EXPECT_EQ(items->GetIntValue(joinSize), 12);
            items->SetIntValue(joinSize, 20000);
            EXPECT_EQ(items->GetIntValue(joinSize), 10000);
            shown.pressOK();
            return shown.endingId();
        });
    EXPECT_EQ(events.size(), 3u); // one notification per accepted entry of the tolerance field
}

ASBoolean doublingTextToFloat(ADMItemRef item, const char* text, float* value)
{
    if (!AdmSuitesTest::current->items->DefaultTextToFloat(item, text, value))
        return false;
    *value *= 2;
    return true;
}

ASBoolean percentFloatToText(ADMItemRef, float value, char* text, int32 length)
{
    std::snprintf(text, size_t(length), "%d%%", int(value));
    return true;
}

TEST_F(Items, EntryFieldUsesTheItemsOwnTextConversions)
{
    ADMItemRef field = nullptr;
    run(
        [&](ADMDialogRef d) {
            field = createItem(d, kADMTextEditType, {0, 0, 60, 20});
            items->SetMaxIntValue(field, 50);
            items->SetTextToFloatProc(field, doublingTextToFloat);
            items->SetFloatToTextProc(field, percentFloatToText);
        },
        [&](AdmDialog& shown) {
            EXPECT_TRUE(shown.typeText(view(shown, field), "7"));
            EXPECT_EQ(items->GetIntValue(field), 14);
            EXPECT_EQ(view(shown, field).valueText(), "14%");
            EXPECT_TRUE(shown.typeText(view(shown, field), "40"));
            EXPECT_EQ(items->GetIntValue(field), 50);
            shown.pressOK();
            return shown.endingId();
        });
}

TEST_F(Items, PopupKeepsOneActiveEntryAndTheLastSelectionWins)
{
    ADMItemRef popup = nullptr;
    ADMListRef list = nullptr;
    run(
        [&](ADMDialogRef d) {
            popup = createItem(d, kADMPopupListType, {140, 56, 320, 76});
            items->SetNotifyProc(popup, countUserChanged);
            list = items->GetList(popup);
            const char* names[] = {"Pastels.aco", "Earth.aco", "Random Colors"};
            for (int32 i = 0; i < 3; ++i) {
                ADMEntryRef entry = lists->InsertEntry(list, i);
                entries->SetID(entry, i);
                entries->SetText(entry, names[i]);
                entries->Select(entry, i == 0 || i == 2);
            }
        },
        [&](AdmDialog& shown) {
            EXPECT_EQ(lists->NumberOfEntries(list), 3);
            EXPECT_EQ(entries->GetID(lists->GetActiveEntry(list)), 2);
            EXPECT_FALSE(entries->IsSelected(lists->IndexEntry(list, 0)));
            AdmItem& view = this->view(shown, popup);
            EXPECT_EQ(view.activeEntryIndex(), 2);
            EXPECT_EQ(view.popupEntries(), (std::vector<std::string>{"Pastels.aco", "Earth.aco", "Random Colors"}));

            EXPECT_TRUE(shown.choosePopupEntry(view, "Earth.aco"));
            EXPECT_EQ(entries->GetID(lists->GetActiveEntry(list)), 1);
            EXPECT_TRUE(shown.choosePopupEntry(view, 0));
            EXPECT_EQ(entries->GetIndex(lists->GetActiveEntry(list)), 0);
            EXPECT_FALSE(shown.choosePopupEntry(view, "Missing.aco"));
            EXPECT_FALSE(shown.choosePopupEntry(view, 3));
            EXPECT_EQ(view.activeEntryIndex(), 0);
            char text[32];
            entries->GetText(lists->GetActiveEntry(list), text, sizeof text);
            EXPECT_STREQ(text, "Pastels.aco");
            shown.pressOK();
            return shown.endingId();
        });
    EXPECT_EQ(events.size(), 2u);
    EXPECT_EQ(lists->NumberOfEntries(list), 0); // the list died with its dialog
}

TEST_F(Items, OnlyPopupsHoldAList)
{
    run(
        [&](ADMDialogRef d) {
            EXPECT_EQ(items->GetList(createItem(d, kADMTextEditType, {0, 0, 10, 10})), nullptr);
            EXPECT_NE(items->GetList(createItem(d, kADMPopupListType, {0, 0, 10, 10})), nullptr);
        },
        [](AdmDialog& shown) { return shown.defaultItemId(); });
}

ADMItemRef gSender = nullptr;
ADMDialogRef gNotifiedDialog = nullptr;
bool gExactType = false;
bool gPrefixType = true;

void inspectNotifier(ADMDialogRef dialog, ADMNotifierRef notifier)
{
    auto* test = AdmSuitesTest::current;
    if (!test->notifiers->IsNotifierType(notifier, kADMUserChangedNotifier))
        return;
    gSender = test->notifiers->GetItem(notifier);
    gNotifiedDialog = test->notifiers->GetDialog(notifier);
    gExactType = test->notifiers->IsNotifierType(notifier, "ADM User Changed Notifier");
    gPrefixType = test->notifiers->IsNotifierType(notifier, "ADM User Changed");
    (void)dialog; // swallowed: the default is not run, so not even OK ends the dialog
}

TEST_F(Items, ItemNotificationsReachTheDialogByDefaultAndNameTheirSender)
{
    ADMItemRef button = nullptr;
    const int32 result = run(
        [&](ADMDialogRef d) {
            dialogs->SetNotifyProc(d, inspectNotifier);
            button = createItem(d, kADMPicturePushButtonType, {20, 162, 68, 210});
            items->SetPictureID(button, 16009, nullptr);
        },
        [&](AdmDialog& shown) {
            EXPECT_EQ(view(shown, button).pictureId(), 16009);
            shown.click(view(shown, button));
            EXPECT_EQ(gSender, button);
            EXPECT_EQ(gNotifiedDialog, dialog);
            EXPECT_TRUE(gExactType);
            EXPECT_FALSE(gPrefixType);
            shown.pressOK();
            EXPECT_FALSE(shown.ended());
            return 5;
        });
    EXPECT_EQ(result, 5); // the front end's answer stands when the dialog never ended
}

ADMRect gLocal{};

void drawSwatch(ADMItemRef item, ADMDrawerRef drawer)
{
    auto* test = AdmSuitesTest::current;
    test->items->GetLocalRect(item, &gLocal);
    ADMRect rect = gLocal;
    test->drawers->SetADMColor(drawer, test->items->IsEnabled(item) ? kADMBlackColor : kADMDisabledColor);
    test->drawers->FrameRect(drawer, &rect);
    test->drawers->SetADMColor(drawer, kADMWhiteColor);
    rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    test->drawers->FrameRect(drawer, &rect);
    const ADMRGBColor color{0xFF00, 0x12FF, 0x0080};
    test->drawers->SetRGBColor(drawer, &color);
    rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    test->drawers->FillRect(drawer, &rect);
}

TEST_F(Items, DrawingWithoutARasterIsRecorded)
{
    ADMItemRef swatch = nullptr;
    run(
        [&](ADMDialogRef d) {
            swatch = createItem(d, kADMUserType, {292, 142, 320, 170});
            items->SetDrawProc(swatch, drawSwatch);
        },
        [&](AdmDialog& shown) {
            const std::vector<AdmDrawOp> enabled = shown.recordDrawing(view(shown, swatch));
            const std::vector<AdmDrawOp> expected = {
                {AdmDrawOp::Kind::frame, {0, 0, 28, 28}, 0, 0, 0},
                {AdmDrawOp::Kind::frame, {1, 1, 27, 27}, 255, 255, 255},
                {AdmDrawOp::Kind::fill, {2, 2, 26, 26}, 0xFF, 0x12, 0x00},
            };
            EXPECT_EQ(enabled, expected);
            items->Enable(swatch, false);
            const std::vector<AdmDrawOp> disabled = shown.recordDrawing(view(shown, swatch));
            EXPECT_EQ(disabled.size(), 3u);
            if (!disabled.empty()) {
                EXPECT_EQ(disabled[0], (AdmDrawOp{AdmDrawOp::Kind::frame, {0, 0, 28, 28}, 128, 128, 128}));
            }
            return 1;
        });
    EXPECT_EQ(gLocal.right, 28);
    EXPECT_EQ(gLocal.bottom, 28);
}

TEST_F(Items, BoundsAndRedrawRequests)
{
    ADMItemRef ok = nullptr;
    ADMItemRef swatch = nullptr;
    int redraws = 0;
    run(
        [&](ADMDialogRef d) {
            const ADMRect frame{0, 0, 340, 300};
            dialogs->SetLocalRect(d, &frame);
            ok = dialogs->GetItem(d, dialogs->GetDefaultItemID(d));
            const ADMRect okBounds{260, 260, 320, 280};
            items->SetBoundsRect(ok, &okBounds);
            swatch = createItem(d, kADMUserType, {140, 20, 168, 48});
        },
        [&](AdmDialog& shown) {
            EXPECT_EQ(shown.localRect(), (AdmRect{0, 0, 340, 300}));
            ADMRect bounds{};
            items->GetBoundsRect(ok, &bounds);
            EXPECT_EQ(bounds.left, 260);
            EXPECT_EQ(bounds.bottom, 280);
            EXPECT_EQ(shown.itemById(1)->bounds(), (AdmRect{260, 260, 320, 280}));
            shown.setRedrawHandler([&] { ++redraws; });
            items->Invalidate(swatch);
            items->Invalidate(swatch);
            EXPECT_EQ(view(shown, swatch).invalidationCount(), 2);
            EXPECT_EQ(redraws, 2);
            shown.pressOK();
            return shown.endingId();
        });
}

} // namespace
} // namespace vendrel::test
