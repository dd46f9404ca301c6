// The parameters and prepare selectors through the module: where the settings come from, when the dialog
// shows, what is stored, and a whole run with the dialog.
#include "dialog_support.h"

namespace vendrel::test {
namespace {

using vendrel::AdmDialog;
using vendrel::Descriptor;

class ParametersFlow : public DialogFixture {
protected:
    static DescriptorKeyID Key(const char* name)
    {
        const vendrel::AeteParameter* parameter = Module().aete().byName(name);
        if (!parameter)
            throw std::runtime_error(std::string("no scripting key named ") + name);
        return parameter->key;
    }

    // The finish selector ends a run that single selector calls left open, releasing the filter object.
    static void EndRun(vendrel::FilterHost& host)
    {
        EXPECT_EQ(host.call(5), 0);
        EXPECT_EQ(host.data(), 0);
    }
};

TEST_F(ParametersFlow, WithoutTheDialogTheRecordIsStoredAndThePreferencesStayAlone)
{
    PrefsText prefs;
    prefs.tolerance = 7;
    prefs.joinSize = 33;
    prefs.palette = "FromPrefs.aco";
    WritePrefs(prefs.text());
    AddSwatchFile("Listed.aco");

    Descriptor descriptor;
    descriptor.put(Key("tolerance"), int32_t(42));

    auto host = MakeHost();
    vendrel::HostImage image = vendrel::HostImage::blank(2, 2);
    host->begin(image);
    host->setDescriptor(descriptor, 0);
    EXPECT_EQ(host->call(1), 0);
    EXPECT_EQ(DialogsShown(), 0);

    const StoredParams stored(host->parametersBytes());
    ASSERT_EQ(stored.size(), 296u);
    EXPECT_EQ(stored.signature(), kVdrl);
    EXPECT_EQ(stored.tolerance(), 42);                // the descriptor wins over the preferences
    EXPECT_EQ(stored.joinSize(), 33);                 // the preferences win over the defaults
    EXPECT_EQ(stored.paletteFile(), "FromPrefs.aco"); // the folder is not listed
    EXPECT_EQ(stored.flagSize(), 20);                 // the default
    EXPECT_EQ(stored.fillColor(0), 0xFFFF);
    EXPECT_EQ(PrefsBytes(), prefs.text());
    EndRun(*host);
}

TEST_F(ParametersFlow, WithoutTheDialogAndWithoutPreferencesNoFileIsMade)
{
    Descriptor descriptor;
    descriptor.put(Key("tolerance"), int32_t(5));
    auto host = MakeHost();
    vendrel::HostImage image = vendrel::HostImage::blank(2, 2);
    host->begin(image);
    host->setDescriptor(descriptor, 0);
    EXPECT_EQ(host->call(1), 0);
    EXPECT_EQ(StoredParams(host->parametersBytes()).tolerance(), 5);
    EXPECT_FALSE(PrefsBytes().has_value());
    EndRun(*host);
}

TEST_F(ParametersFlow, TheDialogShowsThePreferencesOverlaidByTheDescriptor)
{
    PrefsText prefs;
    prefs.tolerance = 7;
    prefs.flagSize = 99;
    WritePrefs(prefs.text());
    Descriptor descriptor;
    descriptor.put(Key("tolerance"), int32_t(61));

    int shownTolerance = -1;
    int shownFlagSize = -1;
    Inspect([&](AdmDialog& dialog) {
        shownTolerance = Item(dialog, kToleranceTip).intValue();
        shownFlagSize = Item(dialog, kFlagSizeTip).intValue();
        dialog.pressOK();
    });
    auto host = MakeHost();
    vendrel::HostImage image = vendrel::HostImage::blank(2, 2);
    host->begin(image);
    host->setDescriptor(descriptor, 1);
    ASSERT_EQ(host->call(1), 0);
    EXPECT_EQ(DialogsShown(), 1);
    EXPECT_EQ(shownTolerance, 61);
    EXPECT_EQ(shownFlagSize, 99);
    // OK writes the preferences from what the dialog held.
    PrefsText expected = prefs;
    expected.tolerance = 61;
    expected.random = 1; // no swatch files: "Random Colors" is the only choice
    EXPECT_EQ(PrefsBytes(), expected.text());
    EndRun(*host);
}

TEST_F(ParametersFlow, AFullRunWithTheDialogFillsTheImage)
{
    // A 4 x 3 white image with one black pixel: the white area around it is filled with a colour of its own.
    auto host = MakeHost();
    Inspect([](AdmDialog& dialog) {
        EXPECT_TRUE(dialog.typeText(Item(dialog, kToleranceTip), "3"));
        dialog.pressOK();
    });
    vendrel::HostImage image = vendrel::HostImage::blank(4, 3);
    std::fill(image.pixels.begin(), image.pixels.end(), uint8_t(255));
    uint8_t* black = image.pixel(1, 1);
    black[0] = black[1] = black[2] = 0;
    vendrel::RunOptions options;
    options.showDialog = true;
    const vendrel::RunResult result = host->run(image, options);

    EXPECT_EQ(result.result, 0);
    EXPECT_EQ(result.failedSelector, -1);
    EXPECT_EQ(DialogsShown(), 1);
    EXPECT_EQ(host->data(), 0); // finish ended the filter object
    EXPECT_EQ(StoredParams(host->parametersBytes()).tolerance(), 3);
    PrefsText expected;
    expected.tolerance = 3;
    expected.random = 1;
    EXPECT_EQ(PrefsBytes(), expected.text());

    // The black pixel is outside the window and stays; the white ones are one area, painted in one colour.
    EXPECT_EQ(image.pixel(1, 1)[0], 0);
    const uint8_t* first = image.pixel(0, 0);
    EXPECT_FALSE(first[0] == 255 && first[1] == 255 && first[2] == 255);
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            if (!(x == 1 && y == 1)) {
                EXPECT_TRUE(std::equal(first, first + 3, image.pixel(x, y))) << x << "," << y;
            }
        }
    }
}

TEST_F(ParametersFlow, ACancelledDialogEndsTheRunWithTheImageUntouched)
{
    auto host = MakeHost();
    Inspect([](AdmDialog& dialog) { dialog.pressCancel(); });
    vendrel::HostImage image = vendrel::HostImage::blank(3, 3);
    std::fill(image.pixels.begin(), image.pixels.end(), uint8_t(255));
    const std::vector<uint8_t> before = image.pixels;
    vendrel::RunOptions options;
    options.showDialog = true;
    const vendrel::RunResult result = host->run(image, options);
    EXPECT_EQ(result.result, -128);
    EXPECT_EQ(result.failedSelector, 1);
    EXPECT_EQ(image.pixels, before);
    EXPECT_FALSE(PrefsBytes().has_value());
}

TEST_F(ParametersFlow, PrepareAsksForNoExtraMemory)
{
    auto host = MakeHost();
    vendrel::HostImage image = vendrel::HostImage::blank(2, 2);
    host->begin(image);
    host->record().maxSpace = 123456;
    host->record().bufferSpace = 789;
    EXPECT_EQ(host->call(2), 0);
    EXPECT_EQ(host->record().maxSpace, 0);
    EXPECT_EQ(host->record().bufferSpace, 0);
    EndRun(*host);
}

TEST_F(ParametersFlow, WithoutTheDialogManagerTheFilterCannotAskForSettings)
{
    vendrel::HostConfig config;
    config.hostFolder = hostFolder_.string();
    config.frontEnd = &frontEnd_;
    config.withoutSuites = {"ADM Tracker Suite"};
    vendrel::FilterHost host(Module(), config);
    vendrel::HostImage image = vendrel::HostImage::blank(2, 2);
    host.begin(image);
    host.setDescriptor(std::nullopt, 1);
    EXPECT_EQ(host.call(1), -30100);
    EXPECT_EQ(DialogsShown(), 0);
    EXPECT_TRUE(host.parametersBytes().empty());
}

} // namespace
} // namespace vendrel::test
