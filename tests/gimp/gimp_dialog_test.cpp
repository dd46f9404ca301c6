// plug-in-vendrel run INTERACTIVE in a real GIMP under Xvfb, driven by xdotool as a user would: the filter's
// dialog opens on the last confirmed settings, the user types a tolerance, checks "Join Areas <=", picks
// black for the flag colour in GIMP's colour selector and presses OK. Before it, the filter's About box is
// opened and closed with OK. The pixels and the stored settings must be those of the command's dialog run confirmed with
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
// rectangles (tolerance field 247,24-320,44; "Join Areas <=" 20,115-135,135; flag colour swatch
// 292,142-320,170; OK 260,260-320,280), then GIMP's colour selector's "HTML notation" field and its OK.
// Black is the one colour whose 8-bit channels (v) give the same 16-bit value picked (v * 256) as typed
// for the command (v * 257).
// The About box comes first (plug-in-vendrel-about): its size goes to about.geometry and its OK (at the
// rectangle the filter gives it, 360,190-420,210) closes it. A driver that cannot finish presses Escape, so
// that a dialog it failed to drive does not hold GIMP open.
const char* kDriver = R"(#!/usr/bin/env bash
set -ex
# A visible window of that name and size. Windows are told apart by size: the About box's plug-in process and
# the filter's run after it are separate X clients, and the second may be given the first one's window id.
find_window() {
  for attempt in $(seq 1500); do
    for id in $(xdotool search --onlyvisible --name "$1" 2> /dev/null || true); do
      if xdotool getwindowgeometry "$id" | grep -q "Geometry: $2"; then echo "$id"; return 0; fi
    done
    sleep 0.2
  done
  return 1
}
# Waits until the window's position has held for a second: a window being placed takes no clicks yet.
settled() {
  local last= now=
  for attempt in $(seq 120); do
    now=$(xdotool getwindowgeometry "$1" | grep Position)
    [ "$now" = "$last" ] && return 0
    last=$now
    sleep 1
  done
}
current=$(find_window '^Vendrel$' 440x230)
trap 'xdotool key --window "$current" Escape' ERR
about=$current
settled "$about"
xdotool getwindowgeometry --shell "$about" > about.geometry
# OK again until the box has gone: on a loaded machine a click can come before the box takes it.
for attempt in $(seq 30); do
  xdotool mousemove --window "$about" 390 200 click 1 || true
  sleep 1
  xdotool getwindowgeometry "$about" 2> /dev/null | grep -q "Geometry: 440x230" || break
done
window=$(find_window '^Vendrel$' 340x300)
current=$window
settled "$window"
xdotool windowfocus --sync "$window"
xdotool mousemove --window "$window" 280 34 click 1 key ctrl+a type 30
xdotool mousemove --window "$window" 30 125 click 1
xdotool mousemove --window "$window" 306 156 click 1
picker=$(timeout 300 xdotool search --sync --onlyvisible --name '^Pick a Color$' | head -1)
settled "$picker"
xdotool mousemove --window "$picker" 357 226 click 1 key ctrl+a type 000000
xdotool key Return mousemove --window "$picker" 397 274 click 1
while xdotool search --onlyvisible --name '^Pick a Color$' > /dev/null; do sleep 0.2; done
xdotool mousemove --window "$window" 290 270 click 1
)";

HostImage stripes()
{
    HostImage image = HostImage::blank(64, 48);
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            uint8_t* p = image.pixel(x, y);
            // Grid lines, and in every other cell a 5 x 5 box closing a 3 x 3 speck: a small area to flag.
            const int cx = x % 13, cy = y % 11;
            const bool box = (x / 13 + y / 11) % 2 == 0 && cx >= 4 && cx <= 8 && cy >= 3 && cy <= 7 &&
                             !(cx >= 5 && cx <= 7 && cy >= 4 && cy <= 6);
            const bool line = cx == 0 || cy == 0 || box;
            p[0] = p[1] = p[2] = line ? 0 : uint8_t(255 - (x * 7 + y) % 20);
        }
    }
    return image;
}

std::vector<std::string> settings(const std::string& flagColor, const std::string& tolerance, bool join)
{
    return {"--flagcolor", flagColor,     "--fillcolor", "FFFFFF",
            "--palette",   "Pastels.aco", "--tolerance", tolerance,
            "--flagareas", "--flagsize",  "8",           "--joinareas=" + std::string(join ? "true" : "false"),
            "--joinsize",  "10",          "--dialog",    "--quiet"};
}

CommandResult cliDialogRun(const std::string& in, const std::string& out, const std::string& config,
                           const std::vector<std::string>& options)
{
    std::vector<std::string> arguments = {"run", in, "-o", out};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return runVendrel(arguments, {{"XDG_CONFIG_HOME", config}});
}

std::string text(const std::string& path)
{
    std::vector<uint8_t> bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(GimpDialog, ConfirmedDialogGivesTheCommandsPixelsAndStoresTheSettings)
{
    GimpSession session;
    ASSERT_TRUE(session.installed());
    const std::string in = session.file("in.png");
    saveImage(stripes(), in);
    // The last confirmed settings the dialog must open on.
    ASSERT_EQ(cliDialogRun(in, session.file("seed.png"), session.config(), settings("0000FF", "9", false)).exitCode, 0);
    // What the user's changes must give: the same dialog run with tolerance 30, joining and a black flag colour,
    // in a folder of its own.
    const std::string expectedConfig = session.file("expected-config");
    std::filesystem::create_directories(expectedConfig);
    ASSERT_EQ(cliDialogRun(in, session.file("expected.png"), expectedConfig, settings("000000", "30", true)).exitCode,
              0);

    const std::string driver = session.file("driver.sh");
    std::ofstream(driver) << kDriver;
    const std::string out = session.file("gimp.png");
    const std::string script = "(plug-in-vendrel-about RUN-INTERACTIVE)\n"
                               "(let* ((img (car (gimp-file-load RUN-NONINTERACTIVE \"" +
                               in + "\" \"" + in +
                               "\"))) (drw (car (gimp-image-get-active-drawable img))))\n"
                               "  (plug-in-vendrel RUN-INTERACTIVE img drw '(0 0 0) '(0 0 0) \"\" 0 0 0 0 0 0 0)\n"
                               "  (gimp-file-save RUN-NONINTERACTIVE img drw \"" +
                               out + "\" \"" + out + "\"))\n";
    // The driver plays the user in the background while GIMP runs the script on the same display.
    ASSERT_TRUE(session.runScript(script, "-i",
                                  "xvfb-run -a -s '-screen 0 800x600x24' bash -c '(bash " + driver + " > " +
                                      session.file("driver.log") + " 2>&1 &); exec timeout 480 \"$0\" \"$@\"'"))
        << session.lastLog() << "\ndriver: " << text(session.file("driver.log"));

    const HostImage result = loadImage(out), expected = loadImage(session.file("expected.png"));
    EXPECT_TRUE(result.pixels == expected.pixels) << "the pixels differ from the command's";
    EXPECT_TRUE(result.pixels != loadImage(session.file("seed.png")).pixels) << "the user's changes made no difference";
    EXPECT_EQ(text(session.prefsFile()), text(expectedConfig + "/Vendrel Prefs"));
    // The About box had the size the filter gives it.
    const std::string about = text(session.file("about.geometry"));
    EXPECT_NE(about.find("WIDTH=440\nHEIGHT=230"), std::string::npos) << about;
}

} // namespace

} // namespace vendrel::test
