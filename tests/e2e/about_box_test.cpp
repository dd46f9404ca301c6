// The About box through the module's about selector.
#include "dialog_support.h"

namespace vendrel::test {
namespace {

using vendrel::AdmDialog;
using vendrel::AdmItem;
using vendrel::AdmRect;

class AboutBox : public DialogFixture {};

const std::string kAboutText = std::string("Vendrel\nA multi flood filter for Adobe Photoshop") + '\xA8' +
                               ".\n\nv1.5.0\nApril 2013\n\n"
                               "Copyright (c) 2013-2026 The Vendrel developers.\nAll rights reserved.\n";

TEST_F(AboutBox, ShowsTheTextTheDomainAndTheLogo)
{
    auto host = MakeHost();
    Inspect([](AdmDialog& dialog) {
        EXPECT_EQ(dialog.name(), "CAboutBox");
        EXPECT_EQ(dialog.resourceId(), 16001);
        EXPECT_EQ(dialog.localRect(), (AdmRect{0, 0, 440, 230}));
        EXPECT_EQ(dialog.itemById(dialog.defaultItemId())->bounds(), (AdmRect{360, 190, 420, 210}));
        ASSERT_EQ(dialog.items().size(), 5u);
        const AdmItem& text = *dialog.itemAt(2);
        EXPECT_EQ(text.typeName(), "ADM Text Static Type");
        EXPECT_EQ(text.bounds(), (AdmRect{20, 20, 420, 162}));
        EXPECT_EQ(text.text(), kAboutText);
        const AdmItem& domain = *dialog.itemAt(3);
        EXPECT_EQ(domain.typeName(), "ADM Text Static Type");
        EXPECT_EQ(domain.bounds(), (AdmRect{76, 197, 156, 210}));
        EXPECT_EQ(domain.text(), "vendrel.example");
        const AdmItem& logo = *dialog.itemAt(4);
        EXPECT_EQ(logo.typeName(), "ADM Picture Push Button Type");
        EXPECT_EQ(logo.bounds(), (AdmRect{20, 162, 68, 210}));
        EXPECT_EQ(logo.pictureId(), 16009);
        EXPECT_EQ(logo.tooltip(), "Go to vendrel.example");
        dialog.pressOK();
    });
    EXPECT_EQ(host->about(), 1);
    EXPECT_EQ(DialogsShown(), 1);
}

TEST_F(AboutBox, TheTrademarkByteFollowsPhotoshop)
{
    auto host = MakeHost();
    std::string shown;
    Inspect([&shown](AdmDialog& dialog) {
        shown = dialog.itemAt(2)->text();
        dialog.pressOK();
    });
    ASSERT_EQ(host->about(), 1);
    const size_t at = shown.find("Photoshop");
    ASSERT_NE(at, std::string::npos);
    ASSERT_GE(shown.size(), at + 11);
    EXPECT_EQ(static_cast<unsigned char>(shown[at + 9]), 0xA8);
    EXPECT_EQ(shown[at + 10], '.');
}

TEST_F(AboutBox, ClosingOtherwiseThanWithOKAnswersZero)
{
    auto host = MakeHost();
    Inspect([](AdmDialog& dialog) { dialog.pressCancel(); });
    EXPECT_EQ(host->about(), 0);
    EXPECT_EQ(DialogsShown(), 1);
}

TEST_F(AboutBox, TheLogoOpensTheMakersSiteAndTheBoxStaysOpen)
{
    auto host = MakeHost();
    std::vector<bool> endedAfterClicks;
    Inspect([&](AdmDialog& dialog) {
        AdmItem& logo = Item(dialog, "Go to vendrel.example");
        for (int i = 0; i < 2; ++i) {
            EXPECT_TRUE(dialog.click(logo));
            endedAfterClicks.push_back(dialog.ended());
        }
        dialog.pressOK();
    });
    EXPECT_EQ(host->about(), 1);
    EXPECT_EQ(endedAfterClicks, (std::vector<bool>{false, false}));
    EXPECT_EQ(frontEnd_.browsedUrls(),
              (std::vector<std::string>{"https://vendrel.example/", "https://vendrel.example/"}));
}

TEST_F(AboutBox, WithoutTheDialogManagerNothingShowsAndTheAnswerIsZero)
{
    vendrel::HostConfig config;
    config.hostFolder = hostFolder_.string();
    config.frontEnd = &frontEnd_;
    config.withoutSuites = {"ADM Notifier Suite"};
    vendrel::FilterHost host(Module(), config);
    EXPECT_EQ(host.about(), 0);
    EXPECT_EQ(DialogsShown(), 0);
}

} // namespace
} // namespace vendrel::test
