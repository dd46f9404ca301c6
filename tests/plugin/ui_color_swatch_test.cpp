// The colour swatch item on the host's dialog manager: its frames and fill, its tracking and its action mask.
#include <gtest/gtest.h>

#include <vector>

#include "CADMColorSwatch.h"
#include "host_dialog_manager.h"

namespace vendrel::test {
namespace {

class ColorSwatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog_ = adm_.openDialog();
        const ADMRect bounds{140, 20, 168, 48};
        item_ = sADMItem->Create(dialog_, 0, kADMUserType, &bounds, nullptr, nullptr);
        swatch_ = new CADMColorSwatch(item_);
        swatch_->color = ADMRGBColor{0x1200, 0x3400, 0x5600};
    }
    void TearDown() override { sADMDialog->Destroy(dialog_); }

    AdmDialog& shown() { return *adm_.dialog(dialog_); }
    AdmItem& item() { return *adm_.item(item_); }

    HostDialogManager adm_;
    ADMDialogRef dialog_ = nullptr;
    ADMItemRef item_ = nullptr;
    CADMColorSwatch* swatch_ = nullptr; // owned by its host item
};

TEST_F(ColorSwatch, DrawsAnOuterFrameByItsStateAWhiteFrameAndTheColourInside)
{
    using Op = AdmDrawOp::Kind;
    for (const bool enabled : {true, false}) {
        swatch_->Enable(enabled);
        const uint8_t outer = enabled ? 0 : 128; // black, or the grey of disabled items
        const std::vector<AdmDrawOp> expected{{Op::frame, {0, 0, 28, 28}, outer, outer, outer},
                                              {Op::frame, {1, 1, 27, 27}, 255, 255, 255},
                                              {Op::fill, {2, 2, 26, 26}, 0x12, 0x34, 0x56}};
        EXPECT_EQ(shown().recordDrawing(item()), expected) << "enabled " << enabled;
    }
}

TEST_F(ColorSwatch, AReleasedButtonCountsAsAChangeOtherActionsKeepTheHostsAnswer)
{
    const struct {
        int32 action;
        bool hostAnswer;
        bool expected;
    } cases[] = {{kADMButtonUpAction, false, true},
                 {kADMButtonDownAction, false, false},
                 {kADMMouseMovedDownAction, true, true}};
    for (const auto& c : cases) {
        adm_.defaultTrackAnswer = c.hostAnswer;
        EXPECT_EQ(adm_.track(item(), c.action), c.expected) << "action " << c.action;
    }
}

TEST_F(ColorSwatch, WithoutAFilterObjectAClickChangesNothing)
{
    CPSFilter* saved = gCurrentFilter;
    gCurrentFilter = nullptr;
    EXPECT_TRUE(shown().click(item()));
    gCurrentFilter = saved;
    // The click's notification went on to the dialog; the colour and the look stay.
    EXPECT_EQ(adm_.dialogNotifications, 1);
    EXPECT_EQ(swatch_->color.red, 0x1200);
    EXPECT_EQ(swatch_->color.green, 0x3400);
    EXPECT_EQ(swatch_->color.blue, 0x5600);
    EXPECT_EQ(item().invalidationCount(), 0);
}

TEST_F(ColorSwatch, InitAddsTheButtonReleasedAction)
{
    sADMItem->SetMask(item_, kADMButtonDownMask);
    swatch_->Init();
    EXPECT_EQ(item().mask(), kADMButtonDownMask | kADMButtonUpMask);
}

TEST_F(ColorSwatch, TheDestructorClearsTheActionMask)
{
    sADMItem->SetMask(item_, kADMButtonDownMask | kADMButtonUpMask);
    int32 maskAtRequest = -1;
    adm_.onItemDestroyRequest = [&](ADMItemRef ref) { maskAtRequest = sADMItem->GetMask(ref); };
    adm_.destroyByHost(item_);
    EXPECT_EQ(maskAtRequest, 0);
}

} // namespace
} // namespace vendrel::test
