// Which front end shows the filter's dialog in `vendrel run --dialog`: without a display, or without the
// dialog window library, or when GTK cannot open the display, the dialog is confirmed as it opens, exactly as a
// run without --dialog plays the options, and the command says once which front end ran and why.
#include <filesystem>

#include "cli_fixture.h"

namespace vendrel::test {
namespace {

constexpr const char* kUnseenNote = "note: the filter's dialog is confirmed as it opens, without being shown: ";

size_t occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class DialogFrontEndTest : public CommandTest {};

struct Unseen {
    const char* name;
    std::map<std::string, std::string> environment;
    bool commandCopied; // run from a folder of its own, with the image codecs but no dialog window library beside it
    const char* reason;
};

TEST_F(DialogFrontEndTest, WithoutWindowsTheDialogIsConfirmedUnseenAndTheCommandSaysWhy)
{
    saveImage(drawLineArt(), file("art.png"));
    const std::vector<std::string> settings = {"--tolerance",     "10",        "--palette",
                                               "Flatting 24.aco", "--presets", presetsFolder};
    std::vector<std::string> played = {"run", file("art.png"), "-o", file("played.png")};
    played.insert(played.end(), settings.begin(), settings.end());
    const CommandResult reference = vendrel(played);
    ASSERT_EQ(reference.exitCode, 0) << reference.err;
    EXPECT_EQ(occurrences(reference.err, kUnseenNote), 0u) << "a run without --dialog shows no dialog";

    const std::string copy = file("bin/vendrel");
    std::filesystem::create_directories(file("bin"));
    std::filesystem::copy_file(VENDREL_CLI_PATH, copy);
    std::filesystem::copy_file(VENDREL_IMAGE_CODECS_PATH, file("bin/libvendrel-image-codecs.so"));
    std::vector<Unseen> cases = {
        {"no display", {}, false, "no display (DISPLAY and WAYLAND_DISPLAY are unset)"},
        {"empty display names", {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}}, false, "no display"},
        {"no library beside the command", {{"DISPLAY", ":987"}}, true, "the dialog window library cannot be loaded ("},
    };
#ifdef VENDREL_DIALOG_WINDOW_BUILT
    cases.push_back({"a display no server answers", {{"DISPLAY", ":987"}}, false, "GTK cannot open the display :987"});
#endif
    for (size_t i = 0; i < cases.size(); ++i) {
        const Unseen& c = cases[i];
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(config.path() + "/Vendrel Prefs");
        const std::string out = file("dialog" + std::to_string(i) + ".png");
        std::vector<std::string> arguments = {"run", file("art.png"), "-o", out, "--dialog"};
        arguments.insert(arguments.end(), settings.begin(), settings.end());
        std::map<std::string, std::string> environment = c.environment;
        environment["XDG_CONFIG_HOME"] = config.path();
        const CommandResult run = runVendrel(arguments, environment, {}, c.commandCopied ? copy : VENDREL_CLI_PATH);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(occurrences(run.err, kUnseenNote), 1u) << run.err;
        EXPECT_NE(run.err.find(kUnseenNote + std::string(c.reason)), std::string::npos) << run.err;
        EXPECT_TRUE(loadImage(out).pixels == loadImage(file("played.png")).pixels)
            << "the dialog confirmed unseen must play the options";
        EXPECT_TRUE(std::filesystem::exists(config.path() + "/Vendrel Prefs")) << "OK stores the settings";
    }
}

TEST_F(DialogFrontEndTest, HelpSaysWhichFrontEndTheDialogOptionUses)
{
    const CommandResult help = vendrel({"run", "--help"});
    ASSERT_EQ(help.exitCode, 0) << help.err;
    const size_t option = help.out.find("--dialog");
    ASSERT_NE(option, std::string::npos) << help.out;
    const std::string text = help.out.substr(option, help.out.find("\n  -", option + 1) - option);
    for (const char* part : {"in a window", "DISPLAY", "WAYLAND_DISPLAY", "confirmed as it opens", "stderr"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << " in:\n" << text;
    }
}

} // namespace
} // namespace vendrel::test
