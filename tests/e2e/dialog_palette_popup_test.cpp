// The palette popup of the main dialog: which swatch files it offers, which entry it starts on, and what the
// choice stores.
#include <algorithm>

#include "dialog_support.h"

namespace vendrel::test {
namespace {

using vendrel::AdmDialog;

class PalettePopup : public DialogFixture {
protected:
    struct Seen {
        std::vector<std::string> entries;
        int active = -1;
        std::string activeText() const { return active >= 0 ? entries.at(size_t(active)) : std::string(); }
    };

    // Opens the dialog, notes the popup, and ends the dialog with OK.
    Seen RunAndSeePopup()
    {
        Seen seen;
        Inspect([&seen](AdmDialog& dialog) {
            seen.entries = Item(dialog, kPopupTip).popupEntries();
            seen.active = Item(dialog, kPopupTip).activeEntryIndex();
            dialog.pressOK();
        });
        host_ = MakeHost();
        EXPECT_EQ(RunWithDialog(*host_).result, 0);
        return seen;
    }

    void StorePreferences(const std::string& palette, bool random)
    {
        PrefsText prefs;
        prefs.palette = palette;
        prefs.random = random ? 1 : 0;
        WritePrefs(prefs.text());
    }

    StoredParams Stored() const { return StoredParams(host_->parametersBytes()); }

    std::unique_ptr<vendrel::FilterHost> host_;
};

TEST_F(PalettePopup, OffersOnlySwatchFilesAndEndsWithRandomColors)
{
    for (const char* name : {"Pastels.aco", "notes.txt", "BIG.ACO", "old.aco.bak", ".aco"})
        AddSwatchFile(name);
    fs::create_directories(SwatchFolder() / "Folder.aco");
    const Seen seen = RunAndSeePopup();
    ASSERT_EQ(seen.entries.size(), 4u);
    EXPECT_EQ(seen.entries.back(), "Random Colors");
    std::vector<std::string> names(seen.entries.begin(), seen.entries.end() - 1);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".aco", "Folder.aco", "Pastels.aco"}));
}

TEST_F(PalettePopup, AStoredNameThatIsNotOfferedFallsBackToTheFirstName)
{
    AddSwatchFile("Present.aco");
    StorePreferences("Gone.aco", false);
    const Seen seen = RunAndSeePopup();
    EXPECT_EQ(seen.entries, (std::vector<std::string>{"Present.aco", "Random Colors"}));
    EXPECT_EQ(seen.active, 0);
    EXPECT_FALSE(Stored().randomColors());
    EXPECT_EQ(Stored().paletteFile(), "Present.aco");
}

TEST_F(PalettePopup, TheStoredNameIsChosenWhenOffered)
{
    AddSwatchFile("A.aco");
    AddSwatchFile("B.aco");
    AddSwatchFile("C.aco");
    StorePreferences("B.aco", false);
    const Seen seen = RunAndSeePopup();
    EXPECT_EQ(seen.activeText(), "B.aco");
    EXPECT_EQ(Stored().paletteFile(), "B.aco");
    EXPECT_FALSE(Stored().randomColors());
}

TEST_F(PalettePopup, RandomColorsWinsOverAnOfferedStoredName)
{
    AddSwatchFile("Kept.aco");
    StorePreferences("Kept.aco", true);
    const Seen seen = RunAndSeePopup();
    EXPECT_EQ(seen.activeText(), "Random Colors");
    EXPECT_TRUE(Stored().randomColors());
    // The palette name stays as it was stored.
    EXPECT_EQ(Stored().paletteFile(), "Kept.aco");
}

// Two offered names, and a stored name that one of them begins with; whichever order the folder lists them
// in, one of the two cases puts the prefix match second, where a prefix match would show.
class PrefixOnlyName : public PalettePopup, public ::testing::WithParamInterface<const char*> {};

TEST_P(PrefixOnlyName, DoesNotChooseTheEntry)
{
    AddSwatchFile("Q.aco");
    AddSwatchFile("Z.aco");
    StorePreferences(GetParam(), false);
    const Seen seen = RunAndSeePopup();
    ASSERT_EQ(seen.entries.size(), 3u);
    EXPECT_EQ(seen.active, 0);
    EXPECT_EQ(Stored().paletteFile(), seen.entries[0]);
}

INSTANTIATE_TEST_SUITE_P(StoredLonger, PrefixOnlyName, ::testing::Values("Q.aco.aco", "Z.aco.aco"));

TEST_F(PalettePopup, ChoosingRandomColorsKeepsTheStoredName)
{
    AddSwatchFile("Kept.aco");
    StorePreferences("Kept.aco", false);
    Inspect([](AdmDialog& dialog) {
        EXPECT_TRUE(dialog.choosePopupEntry(Item(dialog, kPopupTip), "Random Colors"));
        dialog.pressOK();
    });
    host_ = MakeHost();
    ASSERT_EQ(RunWithDialog(*host_).result, 0);
    EXPECT_TRUE(Stored().randomColors());
    EXPECT_EQ(Stored().paletteFile(), "Kept.aco");
}

TEST_F(PalettePopup, ALongerStoredNameIsReplacedWhole)
{
    AddSwatchFile("S.aco");
    StorePreferences(std::string(200, 'x') + ".aco", false);
    RunAndSeePopup();
    const std::vector<uint8_t> bytes = host_->parametersBytes();
    ASSERT_EQ(bytes.size(), 296u);
    EXPECT_EQ(Stored().paletteFile(), "S.aco");
    // The rest of the field is cleared, not left over from the longer name.
    EXPECT_TRUE(std::all_of(bytes.begin() + 14 + 5, bytes.begin() + 14 + 256, [](uint8_t b) { return b == 0; }));
}

} // namespace
} // namespace vendrel::test
