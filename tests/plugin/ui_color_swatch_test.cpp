// The colour swatch item: its frames and fill, its tracking and its action mask.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CADMColorSwatch.h"
#include "HostSuites.h"
#include "ui_fake_adm.h"

namespace vendrel::test {
namespace {

class ColorSwatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog_ = adm_.newDialog(nullptr, nullptr);
        item_ = adm_.newItem(dialog_, kADMUserType, ADMRect{140, 20, 168, 48}, nullptr, nullptr);
        swatch_ = new CADMColorSwatch(FakeADM::ref(item_));
        swatch_->color = ADMRGBColor{0x1200, 0x3400, 0x5600};
    }
    void TearDown() override { adm_.destroyDialog(dialog_); }

    void Draw() { item_->draw(FakeADM::ref(item_), nullptr); }
    bool TrackWith(int32 action)
    {
        FakeTracker tracker{action};
        return item_->track(FakeADM::ref(item_), reinterpret_cast<ADMTrackerRef>(&tracker));
    }

    FakeADM adm_;
    FakeDialog* dialog_ = nullptr;
    FakeItem* item_ = nullptr;
    CADMColorSwatch* swatch_ = nullptr; // owned by its host item
};

TEST_F(ColorSwatch, DrawsABlackFrameAWhiteFrameAndTheColourInside)
{
    Draw();
    const std::vector<std::string> expected{"color 0",         "frame 0 0 28 28",      "color 1",
                                            "frame 1 1 27 27", "rgb 4608 13312 22016", "fill 2 2 26 26"};
    EXPECT_EQ(adm_.drawLog, expected);
}

TEST_F(ColorSwatch, ADisabledSwatchFramesInTheDisabledColourAndStillShowsItsColour)
{
    swatch_->Disable();
    Draw();
    const std::vector<std::string> expected{"color 7",         "frame 0 0 28 28",      "color 1",
                                            "frame 1 1 27 27", "rgb 4608 13312 22016", "fill 2 2 26 26"};
    EXPECT_EQ(adm_.drawLog, expected);
}

TEST_F(ColorSwatch, AReleasedButtonCountsAsAChange)
{
    adm_.defaultTrackAnswer = false;
    EXPECT_TRUE(TrackWith(kADMButtonUpAction));
    EXPECT_FALSE(TrackWith(kADMButtonDownAction));
    adm_.defaultTrackAnswer = true;
    EXPECT_TRUE(TrackWith(kADMMouseMovedDownAction));
}

TEST_F(ColorSwatch, WithoutAFilterObjectAClickChangesNothing)
{
    CPSFilter* saved = gCurrentFilter;
    gCurrentFilter = nullptr;
    FakeNotifier notifier{item_, kADMUserChangedNotifier};
    item_->notify(FakeADM::ref(item_), reinterpret_cast<ADMNotifierRef>(&notifier));
    gCurrentFilter = saved;
    EXPECT_EQ(item_->defaultNotifies, 1);
    EXPECT_EQ(swatch_->color.red, 0x1200);
    EXPECT_EQ(swatch_->color.green, 0x3400);
    EXPECT_EQ(swatch_->color.blue, 0x5600);
    EXPECT_EQ(item_->invalidations, 0);
}

TEST_F(ColorSwatch, TheDestructorClearsTheActionMask)
{
    item_->mask = 0x00060000;
    adm_.destroyItem(item_);
    EXPECT_EQ(item_->mask, 0);
}

TEST(ColorSwatchCreated, InitAddsTheButtonReleasedAction)
{
    FakeADM adm;
    FakeDialog* dialog = adm.newDialog(nullptr, nullptr);
    auto* swatch = new CADMColorSwatch(nullptr);
    ADMItemRef ref = swatch->Create(FakeADM::ref(dialog), ADMRect{0, 0, 20, 20}, kADMUserType, 0);
    ASSERT_NE(ref, nullptr);
    // The fake's items start with the button-down action only.
    EXPECT_EQ(adm.itemOf(ref)->mask, 0x00020000 | 0x00040000);
    adm.destroyDialog(dialog);
}

} // namespace
} // namespace vendrel::test
