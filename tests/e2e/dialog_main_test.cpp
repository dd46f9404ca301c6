// The main dialog through the module: its items, the palette popup, the enable rules, the colour swatches,
// and what OK and Cancel leave in the preferences file and the parameters handle.
#include "dialog_support.h"

namespace vendrel::test {
namespace {

using vendrel::AdmDialog;
using vendrel::AdmItem;
using vendrel::AdmRect;

class MainDialog : public DialogFixture {
protected:
    // Steps that set every option away from its default; the two picks answer 0x10 0x20 0x30 (the colour to
    // replace) and 0x40 0x50 0x60 (the flag colour).
    vendrel::ScriptedFrontEnd& ChangeEveryOption()
    {
        return frontEnd_.answerColorPick({0x10, 0x20, 0x30})
            .click(kFillSwatchTip)
            .typeInto(kToleranceTip, "55")
            .choose(kPopupTip, "Random Colors")
            .choose(kPopupTip, "One.aco")
            .click(kJoinCheck)
            .typeInto(kJoinSizeTip, "77")
            .click(kFlagCheck)
            .typeInto(kFlagSizeTip, "88")
            .answerColorPick({0x40, 0x50, 0x60})
            .click(kFlagSwatchTip)
            .click(kAreaRadioTip);
    }
};

struct ExpectedItem {
    const char* type;
    AdmRect bounds;
    const char* text;
    const char* tooltip;
};

TEST_F(MainDialog, BuildsItsNineteenItemsInOrder)
{
    const std::vector<ExpectedItem> expected{
        {"ADM User Type", {140, 20, 168, 48}, "", kFillSwatchTip},
        {"ADM User Type", {292, 142, 320, 170}, "", kFlagSwatchTip},
        {"ADM Text Static Type", {20, 27, 130, 43}, "Vendreled Color:", ""},
        {"ADM Text Static Type", {175, 27, 240, 43}, "Tolerance:", ""},
        {"ADM Text Static Type", {76, 267, 156, 280}, "vendrel.example", ""},
        {"ADM Text Static Type", {20, 59, 110, 75}, "Color Palette:", ""},
        {"ADM Text Static Type", {20, 175, 127, 191}, "Measure size by:", ""},
        {"ADM Text Static Type", {230, 149, 270, 165}, "Color:", ""},
        {"ADM Picture Push Button Type", {20, 232, 68, 280}, "", "Go to vendrel.example"},
        {"ADM Text Edit Type", {247, 24, 320, 44}, "", kToleranceTip},
        {"ADM Text Edit Type", {140, 115, 220, 135}, "", kJoinSizeTip},
        {"ADM Text Edit Type", {140, 147, 220, 167}, "", kFlagSizeTip},
        {"ADM Frame Type", {20, 96, 320, 97}, "", ""},
        {"ADM Frame Type", {20, 220, 320, 221}, "", ""},
        {"ADM Text Radio Button Type", {140, 197, 270, 211}, "Height & Width", kHeightWidthRadioTip},
        {"ADM Text Radio Button Type", {140, 177, 270, 191}, "Area", kAreaRadioTip},
        {"ADM Text Check Box Type", {20, 115, 135, 135}, kJoinCheck, ""},
        {"ADM Text Check Box Type", {20, 147, 135, 167}, kFlagCheck, ""},
        {"ADM Popup List Type", {140, 56, 320, 76}, "", kPopupTip},
    };
    auto host = MakeHost();
    Inspect([&](AdmDialog& dialog) {
        EXPECT_EQ(dialog.name(), "CVendrelDialog");
        EXPECT_EQ(dialog.resourceId(), 16001);
        EXPECT_EQ(dialog.localRect(), (AdmRect{0, 0, 340, 300}));
        EXPECT_EQ(dialog.itemById(dialog.defaultItemId())->bounds(), (AdmRect{260, 260, 320, 280}));
        EXPECT_EQ(dialog.itemById(dialog.cancelItemId())->bounds(), (AdmRect{188, 260, 248, 280}));
        // The resource's OK and Cancel come first.
        ASSERT_EQ(dialog.items().size(), expected.size() + 2);
        for (size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE("item " + std::to_string(i + 1));
            const AdmItem& item = *dialog.itemAt(i + 2);
            EXPECT_EQ(item.typeName(), expected[i].type);
            EXPECT_EQ(item.bounds(), expected[i].bounds);
            EXPECT_EQ(item.text(), expected[i].text);
            EXPECT_EQ(item.tooltip(), expected[i].tooltip);
        }
        EXPECT_EQ(dialog.itemAt(10)->pictureId(), 16009);
        EXPECT_EQ(dialog.itemAt(14)->style(), 4);
        EXPECT_EQ(dialog.itemAt(15)->style(), 4);
        dialog.pressOK();
    });
    EXPECT_EQ(RunWithDialog(*host).result, 0);
    EXPECT_EQ(DialogsShown(), 1);
}

TEST_F(MainDialog, FieldsCarryTheirLimitsAndUnits)
{
    auto host = MakeHost();
    Inspect([&](AdmDialog& dialog) {
        const AdmItem& tolerance = Item(dialog, kToleranceTip);
        EXPECT_EQ(tolerance.minValue(), 0);
        EXPECT_EQ(tolerance.maxValue(), 100);
        EXPECT_EQ(tolerance.units(), 0);
        EXPECT_FALSE(tolerance.allowUnits());
        for (const char* tip : {kJoinSizeTip, kFlagSizeTip}) {
            SCOPED_TRACE(tip);
            const AdmItem& size = Item(dialog, tip);
            EXPECT_EQ(size.minValue(), 0);
            EXPECT_EQ(size.maxValue(), 10000);
            EXPECT_EQ(size.units(), 10);
            EXPECT_TRUE(size.allowUnits());
        }
        // The entry limits bound what is stored.
        EXPECT_TRUE(dialog.typeText(Item(dialog, kToleranceTip), "250"));
        EXPECT_EQ(Item(dialog, kToleranceTip).intValue(), 100);
        dialog.pressOK();
    });
    ASSERT_EQ(RunWithDialog(*host).result, 0);
    EXPECT_EQ(StoredParams(host->parametersBytes()).tolerance(), 100);
}

// The popup always holds a choice, so an OK with the defaults differs from the default file only where the
// popup's choice is stored.
TEST_F(MainDialog, OKWithTheDefaultsAndOneSwatchFileWritesTheDefaultsWithThatName)
{
    auto host = MakeHost();
    Inspect([](AdmDialog& dialog) {
        EXPECT_FALSE(Item(dialog, kAreaRadioTip).booleanValue());
        EXPECT_TRUE(Item(dialog, kHeightWidthRadioTip).booleanValue());
        EXPECT_EQ(Item(dialog, kToleranceTip).intValue(), 0);
        EXPECT_EQ(Item(dialog, kJoinSizeTip).intValue(), 10);
        EXPECT_EQ(Item(dialog, kFlagSizeTip).intValue(), 20);
        EXPECT_FALSE(Item(dialog, kJoinCheck).booleanValue());
        EXPECT_FALSE(Item(dialog, kFlagCheck).booleanValue());
        dialog.pressOK();
    });
    AddSwatchFile("Only.aco");
    ASSERT_EQ(RunWithDialog(*host).result, 0);

    std::string expected = DefaultPrefsBytes();
    expected.insert(expected.size() - 1, "Only.aco");
    EXPECT_EQ(PrefsBytes(), expected);
}

TEST_F(MainDialog, OKWithTheDefaultsAndNoSwatchFilesStoresRandomColors)
{
    auto host = MakeHost();
    std::vector<std::string> entries;
    int active = -2;
    Inspect([&](AdmDialog& dialog) {
        entries = Item(dialog, kPopupTip).popupEntries();
        active = Item(dialog, kPopupTip).activeEntryIndex();
        dialog.pressOK();
    });
    const vendrel::RunResult result = RunWithDialog(*host);
    ASSERT_EQ(result.result, 0);
    EXPECT_EQ(entries, std::vector<std::string>{"Random Colors"});
    EXPECT_EQ(active, 0);

    const StoredParams stored(host->parametersBytes());
    ASSERT_EQ(stored.size(), 296u);
    EXPECT_EQ(stored.signature(), kVdrl);
    EXPECT_EQ(stored.version(), 3);
    EXPECT_TRUE(stored.randomColors());
    EXPECT_EQ(stored.paletteFile(), "");
    // The default file with the randomColors byte (after the reserved byte and its space) set.
    std::string expected = DefaultPrefsBytes();
    const size_t randomByte = std::string("1449423468 3 65535 65535 65535 0 ").size() + 2;
    ASSERT_EQ(expected[randomByte], '\0');
    expected[randomByte] = '\x01';
    EXPECT_EQ(PrefsBytes(), expected);
}

TEST_F(MainDialog, CancelAfterChangingEveryOptionStoresNothing)
{
    AddSwatchFile("One.aco");
    auto host = MakeHost();
    Inspect([](AdmDialog& dialog) { dialog.pressOK(); });
    ASSERT_EQ(RunWithDialog(*host).result, 0);
    const std::optional<std::string> prefsBefore = PrefsBytes();
    const std::vector<uint8_t> paramsBefore = host->parametersBytes();
    ASSERT_TRUE(prefsBefore.has_value());
    ASSERT_EQ(paramsBefore.size(), 296u);

    UseSteps();
    ChangeEveryOption().choose(kPopupTip, "Random Colors").pressCancel();
    const vendrel::RunResult cancelled = RunWithDialog(*host);
    EXPECT_EQ(cancelled.result, -128);
    EXPECT_EQ(cancelled.failedSelector, 1);
    EXPECT_EQ(frontEnd_.colorPicks(), 2);
    EXPECT_TRUE(frontEnd_.problems().empty());
    EXPECT_EQ(PrefsBytes(), prefsBefore);
    EXPECT_EQ(host->parametersBytes(), paramsBefore);
}

TEST_F(MainDialog, CancelOnTheFirstRunWritesNoPreferencesFile)
{
    auto host = MakeHost();
    Inspect([](AdmDialog& dialog) {
        EXPECT_TRUE(dialog.typeText(Item(dialog, kToleranceTip), "12"));
        dialog.pressCancel();
    });
    EXPECT_EQ(RunWithDialog(*host).result, -128);
    EXPECT_FALSE(PrefsBytes().has_value());
    EXPECT_TRUE(host->parametersBytes().empty());
}

TEST_F(MainDialog, EveryChangedOptionReachesTheRecordOnOK)
{
    AddSwatchFile("One.aco");
    auto host = MakeHost();
    ChangeEveryOption().pressOK();
    ASSERT_EQ(RunWithDialog(*host).result, 0);
    const StoredParams stored(host->parametersBytes());
    EXPECT_EQ(stored.fillColor(0), 0x1000);
    EXPECT_EQ(stored.fillColor(1), 0x2000);
    EXPECT_EQ(stored.fillColor(2), 0x3000);
    EXPECT_EQ(stored.flagColor(0), 0x4000);
    EXPECT_EQ(stored.flagColor(1), 0x5000);
    EXPECT_EQ(stored.flagColor(2), 0x6000);
    EXPECT_EQ(stored.tolerance(), 55);
    EXPECT_TRUE(stored.joinAreas());
    EXPECT_EQ(stored.joinSize(), 77);
    EXPECT_TRUE(stored.flagAreas());
    EXPECT_EQ(stored.flagSize(), 88);
    EXPECT_TRUE(stored.measureArea());
    EXPECT_FALSE(stored.randomColors());
    EXPECT_EQ(stored.paletteFile(), "One.aco");
    EXPECT_EQ(frontEnd_.colorPicks(), 2);
    EXPECT_TRUE(frontEnd_.problems().empty());

    PrefsText expected;
    expected.fill[0] = 0x1000;
    expected.fill[1] = 0x2000;
    expected.fill[2] = 0x3000;
    expected.tolerance = 55;
    expected.measureArea = 1;
    expected.flagAreas = 1;
    expected.flag[0] = 0x4000;
    expected.flag[1] = 0x5000;
    expected.flag[2] = 0x6000;
    expected.flagSize = 88;
    expected.joinAreas = 1;
    expected.joinSize = 77;
    expected.palette = "One.aco";
    EXPECT_EQ(PrefsBytes(), expected.text());
}

TEST_F(MainDialog, PickingPureWhiteStoresTheHighByteOnly)
{
    auto host = MakeHost();
    PrefsText start;
    start.fill[0] = 1;
    start.fill[1] = 2;
    start.fill[2] = 3;
    WritePrefs(start.text());
    frontEnd_.answerColorPick({255, 255, 255}).click(kFillSwatchTip).pressOK();
    ASSERT_EQ(RunWithDialog(*host).result, 0);
    EXPECT_EQ(frontEnd_.colorPicks(), 1);
    EXPECT_TRUE(frontEnd_.problems().empty());
    const StoredParams stored(host->parametersBytes());
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_EQ(stored.fillColor(channel), 0xFF00) << "channel " << channel;
}

// The picker opens on the colour the swatch shows, so that confirming it untouched changes nothing (the filter
// itself hands the picker no colour, which would be black).
TEST_F(MainDialog, ThePickerOpensOnTheSwatchsColour)
{
    for (const char* swatch : {kFillSwatchTip, kFlagSwatchTip}) {
        SCOPED_TRACE(swatch);
        auto host = MakeHost();
        PrefsText start;
        start.fill[0] = 0x1200, start.fill[1] = 0x3400, start.fill[2] = 0x5600;
        start.flag[0] = 0x9A00, start.flag[1] = 0xBC00, start.flag[2] = 0xDE00;
        WritePrefs(start.text());
        const bool fill = std::string(swatch) == kFillSwatchTip;
        frontEnd_ = vendrel::ScriptedFrontEnd();
        if (!fill) {
            frontEnd_.click(kFlagCheck); // the flag swatch is enabled with the flagging
        }
        frontEnd_.keepColorPick().click(swatch).pressOK();
        ASSERT_EQ(RunWithDialog(*host).result, 0);
        EXPECT_TRUE(frontEnd_.problems().empty());
        const int* shown = fill ? start.fill : start.flag;
        ASSERT_EQ(frontEnd_.colorPickStarts().size(), 1u);
        const StoredParams stored(host->parametersBytes());
        for (int channel = 0; channel < 3; ++channel) {
            EXPECT_EQ(frontEnd_.colorPickStarts()[0][size_t(channel)], shown[channel] >> 8) << "channel " << channel;
            EXPECT_EQ(fill ? stored.fillColor(channel) : stored.flagColor(channel), shown[channel])
                << "channel " << channel;
        }
    }
}

TEST_F(MainDialog, ACancelledPickChangesNothing)
{
    auto host = MakeHost();
    PrefsText start;
    start.fill[0] = 0x1234;
    start.fill[1] = 0x5678;
    start.fill[2] = 0x9ABC;
    WritePrefs(start.text());
    // While a test inspects the dialog itself, the front end's colour picker is cancelled.
    std::vector<vendrel::AdmDrawOp> before, after;
    int invalidationsBefore = -1;
    int invalidationsAfter = -1;
    Inspect([&](AdmDialog& dialog) {
        AdmItem& swatch = Item(dialog, kFillSwatchTip);
        before = dialog.recordDrawing(swatch);
        invalidationsBefore = swatch.invalidationCount();
        dialog.click(swatch);
        invalidationsAfter = swatch.invalidationCount();
        after = dialog.recordDrawing(swatch);
        dialog.pressOK();
    });
    ASSERT_EQ(RunWithDialog(*host).result, 0);
    EXPECT_EQ(frontEnd_.colorPicks(), 1);
    EXPECT_EQ(invalidationsAfter, invalidationsBefore);
    EXPECT_EQ(after, before);
    const StoredParams stored(host->parametersBytes());
    EXPECT_EQ(stored.fillColor(0), 0x1234);
    EXPECT_EQ(stored.fillColor(1), 0x5678);
    EXPECT_EQ(stored.fillColor(2), 0x9ABC);
}

TEST_F(MainDialog, SwatchesDrawFramesAndTheirColour)
{
    auto host = MakeHost();
    std::vector<vendrel::AdmDrawOp> fill, flag;
    Inspect([&](AdmDialog& dialog) {
        fill = dialog.recordDrawing(Item(dialog, kFillSwatchTip));
        flag = dialog.recordDrawing(Item(dialog, kFlagSwatchTip));
        dialog.pressOK();
    });
    ASSERT_EQ(RunWithDialog(*host).result, 0);
    using Kind = vendrel::AdmDrawOp::Kind;
    // Enabled fill swatch: black outer frame, white inner frame, white fill.
    ASSERT_EQ(fill.size(), 3u);
    EXPECT_EQ(fill[0], (vendrel::AdmDrawOp{Kind::frame, {0, 0, 28, 28}, 0, 0, 0}));
    EXPECT_EQ(fill[1], (vendrel::AdmDrawOp{Kind::frame, {1, 1, 27, 27}, 255, 255, 255}));
    EXPECT_EQ(fill[2], (vendrel::AdmDrawOp{Kind::fill, {2, 2, 26, 26}, 255, 255, 255}));
    // The flag swatch is disabled with "Flag Areas <=" cleared: its outer frame is not black, its colour stays.
    ASSERT_EQ(flag.size(), 3u);
    EXPECT_EQ(flag[0].kind, Kind::frame);
    EXPECT_FALSE(flag[0].red == 0 && flag[0].green == 0 && flag[0].blue == 0);
    EXPECT_EQ(flag[1], (vendrel::AdmDrawOp{Kind::frame, {1, 1, 27, 27}, 255, 255, 255}));
    EXPECT_EQ(flag[2], (vendrel::AdmDrawOp{Kind::fill, {2, 2, 26, 26}, 255, 0, 255}));
}

struct EnableState {
    bool radios, joinSize, flagSize, flagSwatch, fillSwatch, tolerance, popup;
};

EnableState ReadEnableState(AdmDialog& dialog)
{
    const bool area = Item(dialog, kAreaRadioTip).enabled();
    EXPECT_EQ(Item(dialog, kHeightWidthRadioTip).enabled(), area);
    return EnableState{area,
                       Item(dialog, kJoinSizeTip).enabled(),
                       Item(dialog, kFlagSizeTip).enabled(),
                       Item(dialog, kFlagSwatchTip).enabled(),
                       Item(dialog, kFillSwatchTip).enabled(),
                       Item(dialog, kToleranceTip).enabled(),
                       Item(dialog, kPopupTip).enabled()};
}

void ExpectEnabled(const EnableState& state, bool radios, bool joinSize, bool flagSize)
{
    EXPECT_EQ(state.radios, radios);
    EXPECT_EQ(state.joinSize, joinSize);
    EXPECT_EQ(state.flagSize, flagSize);
    EXPECT_EQ(state.flagSwatch, flagSize);
    EXPECT_TRUE(state.fillSwatch);
    EXPECT_TRUE(state.tolerance);
    EXPECT_TRUE(state.popup);
}

TEST_F(MainDialog, EnableRulesFollowTheCheckBoxes)
{
    auto host = MakeHost();
    Inspect([](AdmDialog& dialog) {
        {
            SCOPED_TRACE("both cleared");
            ExpectEnabled(ReadEnableState(dialog), false, false, false);
        }
        ASSERT_TRUE(dialog.click(Item(dialog, kFlagCheck)));
        {
            SCOPED_TRACE("flag checked");
            ExpectEnabled(ReadEnableState(dialog), true, false, true);
        }
        ASSERT_TRUE(dialog.click(Item(dialog, kJoinCheck)));
        {
            SCOPED_TRACE("both checked");
            ExpectEnabled(ReadEnableState(dialog), true, true, true);
        }
        ASSERT_TRUE(dialog.click(Item(dialog, kFlagCheck)));
        {
            SCOPED_TRACE("join checked");
            ExpectEnabled(ReadEnableState(dialog), true, true, false);
        }
        ASSERT_TRUE(dialog.click(Item(dialog, kJoinCheck)));
        {
            SCOPED_TRACE("both cleared again");
            ExpectEnabled(ReadEnableState(dialog), false, false, false);
        }
        dialog.pressOK();
    });
    EXPECT_EQ(RunWithDialog(*host).result, 0);
}

TEST_F(MainDialog, EnableRulesStartFromTheStoredSettings)
{
    PrefsText start;
    start.joinAreas = 1;
    start.measureArea = 0;
    WritePrefs(start.text());
    auto host = MakeHost();
    Inspect([](AdmDialog& dialog) {
        ExpectEnabled(ReadEnableState(dialog), true, true, false);
        EXPECT_TRUE(Item(dialog, kJoinCheck).booleanValue());
        EXPECT_FALSE(Item(dialog, kFlagCheck).booleanValue());
        EXPECT_TRUE(Item(dialog, kHeightWidthRadioTip).booleanValue());
        EXPECT_FALSE(Item(dialog, kAreaRadioTip).booleanValue());
        dialog.pressOK();
    });
    ASSERT_EQ(RunWithDialog(*host).result, 0);
    EXPECT_FALSE(StoredParams(host->parametersBytes()).measureArea());
}

TEST_F(MainDialog, TheLogoOpensTheMakersSiteAndTheDialogStaysOpen)
{
    auto host = MakeHost();
    bool endedAfterClick = true;
    Inspect([&](AdmDialog& dialog) {
        EXPECT_TRUE(dialog.click(Item(dialog, "Go to vendrel.example")));
        endedAfterClick = dialog.ended();
        dialog.pressOK();
    });
    ASSERT_EQ(RunWithDialog(*host).result, 0);
    EXPECT_FALSE(endedAfterClick);
    EXPECT_EQ(frontEnd_.browsedUrls(), std::vector<std::string>{"https://vendrel.example/"});
}

} // namespace
} // namespace vendrel::test
