// plug-in-vendrel run INTERACTIVE in a real GIMP under Xvfb, driven by xdotool as a user would: the filter's
// dialog opens on the last confirmed settings, the user types a tolerance, checks "Join Areas <=" and
// presses OK. The pixels and the stored settings must be those of the command's dialog run confirmed with
// the same final settings.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cli_command.h"
#include "gimp_session.h"
#include "vendrel/host/ImageFile.h"

namespace vendrel::test {

namespace {

// Where the driver clicks: the window is the dialog's own rectangle, so these are the filter's item
// rectangles (tolerance field 247,24-320,44; "Join Areas <=" 20,115-135,135; OK 260,260-320,280).
// A driver that cannot finish presses Escape, so that a dialog it failed to drive does not hold GIMP open.
const char* kDriver = R"(#!/usr/bin/env bash
set -e
window=$(timeout 60 xdotool search --sync --name '^Vendrel$' | head -1)
trap 'xdotool key --window "$window" Escape' ERR
sleep 0.5
xdotool windowfocus --sync "$window"
xdotool mousemove --window "$window" 280 34 click 1 key ctrl+a type 30
xdotool mousemove --window "$window" 30 125 click 1
sleep 0.3
xdotool mousemove --window "$window" 290 270 click 1
)";

HostImage stripes()
{
    HostImage image = HostImage::blank(64, 48);
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            uint8_t* p = image.pixel(x, y);
            const bool line = x % 13 == 0 || y % 11 == 0 || (x % 13 == 6 && y % 11 > 3 && y % 11 < 7);
            p[0] = p[1] = p[2] = line ? 0 : uint8_t(255 - (x * 7 + y) % 20);
        }
    }
    return image;
}

std::vector<std::string> settings(const std::string& tolerance, bool join)
{
    return {"--flagcolor", "0000FF", "--fillcolor", "FFFFFF", "--palette", "Pastels.aco", "--tolerance", tolerance,
            "--flagareas", "--flagsize", "8", "--joinareas=" + std::string(join ? "true" : "false"), "--joinsize",
            "10", "--dialog", "--quiet"};
}

CommandResult cliDialogRun(const std::string& in, const std::string& out, const std::string& config,
                           const std::vector<std::string>& options)
{
    std::vector<std::string> arguments = {"run", in, "-o", out};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return runVendrel(arguments, {{"XDG_CONFIG_HOME", config}});
}

TEST(GimpDialog, ConfirmedDialogGivesTheCommandsPixelsAndStoresTheSettings)
{
    GimpSession session;
    ASSERT_TRUE(session.installed());
    const std::string in = session.file("in.png");
    saveImage(stripes(), in);
    // The last confirmed settings the dialog must open on.
    ASSERT_EQ(cliDialogRun(in, session.file("seed.png"), session.config(), settings("9", false)).exitCode, 0);
    // What the user's changes must give: the same dialog run with tolerance 30 and joining, in a folder of its own.
    const std::string expectedConfig = session.file("expected-config");
    std::filesystem::create_directories(expectedConfig);
    ASSERT_EQ(cliDialogRun(in, session.file("expected.png"), expectedConfig, settings("30", true)).exitCode, 0);

    const std::string driver = session.file("driver.sh");
    std::ofstream(driver) << kDriver;
    const std::string out = session.file("gimp.png");
    const std::string script = "(let* ((img (car (gimp-file-load RUN-NONINTERACTIVE \"" + in + "\" \"" + in +
                               "\"))) (drw (car (gimp-image-get-active-drawable img))))\n"
                               "  (plug-in-vendrel RUN-INTERACTIVE img drw '(0 0 0) '(0 0 0) \"\" 0 0 0 0 0 0 0)\n"
                               "  (gimp-file-save RUN-NONINTERACTIVE img drw \"" + out + "\" \"" + out + "\"))\n";
    // The driver plays the user in the background while GIMP runs the script on the same display.
    ASSERT_TRUE(session.runScript(script, "-i", "xvfb-run -a -s '-screen 0 800x600x24' bash -c '(bash " + driver +
                                                    " > " + session.file("driver.log") + " 2>&1 &); exec timeout 180 \"$0\" \"$@\"'"))
        << session.lastLog();

    const HostImage result = loadImage(out), expected = loadImage(session.file("expected.png"));
    EXPECT_EQ(result.pixels, expected.pixels);
    EXPECT_NE(result.pixels, loadImage(session.file("seed.png")).pixels) << "the user's changes made no difference";
    EXPECT_EQ(readBytes(session.prefsFile()), readBytes(expectedConfig + "/Vendrel Prefs"));
}

} // namespace

} // namespace vendrel::test
