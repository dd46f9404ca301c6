// vendrel run --host-profile: the filter played as hosts that withhold facilities would play it.
#include "cli_fixture.h"

namespace vendrel::test {
namespace {

class HostProfileOption : public CommandTest {};

// A current image editor's host (no dialog manager) still hands the settings over: the same bytes as in full.
TEST_F(HostProfileOption, WithoutTheDialogManagerASettingsRunGivesTheFullHostsBytes)
{
    saveImage(drawLineArt(), file("art.png"));
    const std::vector<std::string> settings = {"--tolerance", "10",          "--palette",  "Flatting 24.aco",
                                               "--presets",   presetsFolder, "--joinareas"};
    for (const std::string profile : {"full", "no-dialog-manager"}) {
        std::vector<std::string> arguments = {"run",  file("art.png"), "-o", file(profile + ".png"), "--host-profile",
                                              profile};
        arguments.insert(arguments.end(), settings.begin(), settings.end());
        const CommandResult run = vendrel(arguments);
        ASSERT_EQ(run.exitCode, 0) << profile << ": " << run.err;
    }
    EXPECT_EQ(readBytes(file("no-dialog-manager.png")), readBytes(file("full.png")));
}

// Hosts that hand over no settings: options that would be lost are refused before anything runs, and a run
// that would need a dialog no one here can draw ends as "cannot run" with nothing written.
TEST_F(HostProfileOption, HostsThatPassNoSettingsRefuseSettingOptionsAndWriteNothing)
{
    saveImage(drawLineArt(), file("art.png"));
    const struct {
        std::vector<std::string> extra;
        int exitCode;
        const char* says;
    } cases[] = {
        {{"--tolerance", "10"}, 2, "hands the filter no settings"},
        {{"--record", "x.json"}, 2, "records none"},
        {{"--flats"}, 2, "flatting stages need"},
        {{}, 1, "nothing was written"},
    };
    for (const std::string profile : {"viewer", "bare"}) {
        for (const auto& c : cases) {
            std::vector<std::string> arguments = {"run",           file("art.png"),  "-o",
                                                  file("out.png"), "--host-profile", profile};
            arguments.insert(arguments.end(), c.extra.begin(), c.extra.end());
            const CommandResult run = vendrel(arguments);
            EXPECT_EQ(run.exitCode, c.exitCode) << profile << " " << c.says << ": " << run.err;
            EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
            EXPECT_FALSE(std::filesystem::exists(file("out.png"))) << profile;
        }
    }
}

} // namespace
} // namespace vendrel::test
