// vendrel run --dialog on a display (this program runs under xvfb-run): the filter's dialog shows in a window
// and xdotool plays the person, typing, clicking and pressing Enter or Escape (or Ctrl-C in the terminal). OK
// runs the filter with what the dialog shows and stores it as the last settings; Cancel ends the run with 130,
// writes no output and leaves the stored settings as they were. A colour pick opens GTK's colour selection on the swatch's colour; the filter's
// alert shows as a message box. What each run must give comes from the same runs without a display.
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <thread>

#include "cli_fixture.h"

namespace vendrel::test {
namespace {

// Where the person clicks: the middle of the filter's item rectangles in its 340 x 300 dialog.
constexpr const char* kOkButton = "290 270";     // 260,260-320,280
constexpr const char* kCancelButton = "218 270"; // 188,260-248,280
constexpr const char* kFillSwatch = "154 34";    // 140,20-168,48
// GTK's colour selection: its "Color name" field, below the spin buttons.
constexpr const char* kColourNameField = "345 131";
constexpr const char* kDialogSize = "340x300";
// Not an xdotool command: the person interrupts the command from its terminal.
constexpr const char* kCtrlC = "SIGINT";

std::string outputOf(const std::string& command)
{
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) {
            text.append(buffer, n);
        }
        pclose(pipe);
    }
    return text;
}

void xdotool(const std::string& arguments)
{
    EXPECT_EQ(std::system(("xdotool " + arguments + " > /dev/null 2>&1").c_str()), 0) << "xdotool " << arguments;
}

bool running(pid_t pid)
{
    siginfo_t info{};
    return waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0;
}

// Waits until the window's place and size have held for a fifth of a second: a window still being placed or
// sized may take a click at the wrong spot.
void waitUntilSettled(const std::string& window)
{
    std::string last;
    for (int attempt = 0; attempt < 50; ++attempt) {
        const std::string now = outputOf("xdotool getwindowgeometry " + window + " 2> /dev/null");
        if (now == last) {
            return;
        }
        last = now;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
}

// A visible window of that exact title whose geometry line ("Geometry: 340x300") passes `fits`, waited for while
// the command runs and until it has settled; empty when the command ends first or no such window shows within a
// minute.
std::string waitForWindow(const CommandProcess& command, const std::string& title,
                          const std::function<bool(const std::string&)>& fits)
{
    for (int attempt = 0; attempt < 600 && running(command.pid()); ++attempt) {
        std::istringstream ids(outputOf("xdotool search --onlyvisible --name '^" + title + "$' 2> /dev/null"));
        for (std::string id; ids >> id;) {
            if (fits(outputOf("xdotool getwindowgeometry " + id + " 2> /dev/null"))) {
                waitUntilSettled(id);
                return id;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return "";
}

bool isDialog(const std::string& geometry)
{
    return geometry.find(std::string("Geometry: ") + kDialogSize) != std::string::npos;
}

bool anySize(const std::string&)
{
    return true;
}

// True once the window is no longer shown, within half a minute.
bool waitUntilGone(const std::string& window)
{
    for (int attempt = 0; attempt < 300; ++attempt) {
        if (outputOf("xdotool getwindowgeometry " + window + " 2> /dev/null").empty()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// GTK's colour selection puts OK at its lower right corner: the middle of the button, from the window's size.
std::string okOfColourSelection(const std::string& window)
{
    std::istringstream shell(outputOf("xdotool getwindowgeometry --shell " + window));
    int width = 0, height = 0;
    for (std::string line; std::getline(shell, line);) {
        if (line.rfind("WIDTH=", 0) == 0) {
            width = std::stoi(line.substr(6));
        } else if (line.rfind("HEIGHT=", 0) == 0) {
            height = std::stoi(line.substr(7));
        }
    }
    return std::to_string(width - 59) + " " + std::to_string(height - 29);
}

std::string text(const std::string& path)
{
    const std::vector<uint8_t> bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// Grid lines on paper whose grey wanders between 236 and 255: tolerance 9 from white fills less than 30 does.
HostImage gridOnUnevenPaper()
{
    HostImage image = HostImage::blank(64, 48);
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            uint8_t* p = image.pixel(x, y);
            const bool line = x % 13 == 0 || y % 11 == 0;
            p[0] = p[1] = p[2] = line ? 0 : uint8_t(255 - (x * 7 + y) % 20);
        }
    }
    return image;
}

class DialogWindowTest : public CommandTest {
protected:
    void SetUp() override
    {
        const char* display = std::getenv("DISPLAY");
        ASSERT_TRUE(display != nullptr && *display != '\0') << "run this program under xvfb-run";
        displayName = display;
        saveImage(gridOnUnevenPaper(), file("in.png"));
    }

    std::vector<std::string> run(const std::string& out, std::vector<std::string> options) const
    {
        std::vector<std::string> arguments = {"run", file("in.png"), "-o", out, "--presets", presetsFolder, "--quiet"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return arguments;
    }

    // The command on the display, started in the background for the person to answer.
    std::unique_ptr<CommandProcess> startShown(const std::string& out, std::vector<std::string> options)
    {
        options.push_back("--dialog");
        return start(run(out, options), {{"DISPLAY", displayName}});
    }

    // The same settings confirmed without a display, with the settings file in a folder of its own.
    CommandResult confirmedUnseen(const std::string& out, const std::string& configFolder,
                                  std::vector<std::string> options)
    {
        std::filesystem::create_directories(configFolder);
        options.push_back("--dialog");
        return runVendrel(run(out, options), {{"XDG_CONFIG_HOME", configFolder}});
    }

    std::string prefs() const { return config.path() + "/Vendrel Prefs"; }

    std::string displayName;
};

const std::vector<std::string> kSeedSettings = {"--fillcolor", "FFFFFF",      "--palette",
                                                "Pastels.aco", "--tolerance", "9"};

struct Person {
    const char* does;
    std::vector<std::string> actions; // xdotool commands, %w the dialog's window; or kCtrlC
    int exitCode;
    const char* confirmedTolerance; // what the run must have played, nothing when cancelled
};

TEST_F(DialogWindowTest, OkAppliesWhatTheDialogShowsAndCancelChangesNothing)
{
    const std::vector<Person> people = {
        {"types a tolerance over the selected one and presses Enter", {"type 30", "key Return"}, 0, "30"},
        {"clicks OK", {std::string("mousemove --window %w ") + kOkButton + " click 1"}, 0, "9"},
        {"presses Escape", {"key Escape"}, 130, nullptr},
        {"presses Ctrl-C in the terminal", {kCtrlC}, 130, nullptr},
        {"clicks Cancel", {std::string("mousemove --window %w ") + kCancelButton + " click 1"}, 130, nullptr},
    };
    for (size_t i = 0; i < people.size(); ++i) {
        const Person& person = people[i];
        SCOPED_TRACE(person.does);
        // The last confirmed settings, which the dialog opens on.
        std::filesystem::remove_all(prefs());
        ASSERT_EQ(confirmedUnseen(file("seed.png"), config.path(), kSeedSettings).exitCode, 0);
        const std::string seeded = text(prefs());

        const std::string out = file("shown" + std::to_string(i) + ".png");
        auto command = startShown(out, {});
        const std::string window = waitForWindow(*command, "Vendrel", isDialog);
        ASSERT_FALSE(window.empty()) << "no dialog window showed: " << command->wait().err;
        xdotool("windowfocus --sync " + window);
        for (std::string action : person.actions) {
            if (action == kCtrlC) {
                command->signal(SIGINT);
                continue;
            }
            if (const size_t at = action.find("%w"); at != std::string::npos) {
                action.replace(at, 2, window);
            }
            xdotool(action);
        }
        const CommandResult shown = command->wait();
        ASSERT_EQ(shown.exitCode, person.exitCode) << shown.err;
        EXPECT_EQ(shown.err.find("note: the filter's dialog is confirmed"), std::string::npos) << shown.err;
        if (person.confirmedTolerance == nullptr) {
            EXPECT_FALSE(std::filesystem::exists(out)) << "a cancelled run wrote its output";
            EXPECT_EQ(text(prefs()), seeded) << "Cancel changed the stored settings";
            continue;
        }
        std::vector<std::string> settings = kSeedSettings;
        settings.back() = person.confirmedTolerance;
        const std::string expectedConfig = file("expected-config" + std::to_string(i));
        ASSERT_EQ(confirmedUnseen(file("expected.png"), expectedConfig, settings).exitCode, 0);
        EXPECT_TRUE(loadImage(out).pixels == loadImage(file("expected.png")).pixels)
            << "the pixels are not those of the settings the dialog showed";
        EXPECT_EQ(text(prefs()), text(expectedConfig + "/Vendrel Prefs"));
    }
    EXPECT_TRUE(loadImage(file("shown0.png")).pixels != loadImage(file("shown1.png")).pixels)
        << "the typed tolerance made no difference";
}

// GTK's colour selection opens on the colour the swatch shows: OK untouched keeps white, so the run is the one
// the dialog opened on, while a colour typed into its "Color name" field and confirmed with OK is the fill colour
// the run plays. (A selection opened on black would give the second run's pixels in the first.)
struct Pick {
    const char* does;
    std::vector<std::string> actions; // xdotool commands; %p is the colour selection's window
    const char* fillColour;           // what the run must have played
};

TEST_F(DialogWindowTest, ColourSelectionOpensOnTheSwatchColourAndOkAppliesThePick)
{
    const std::vector<Pick> picks = {
        {"presses OK untouched", {}, "FFFFFF"},
        {"types black into Color name and presses OK",
         {"mousemove --window %p " + std::string(kColourNameField) + " click 1", "key ctrl+a", "type '#000000'",
          "key Return"},
         "000000"},
    };
    for (size_t i = 0; i < picks.size(); ++i) {
        const Pick& pick = picks[i];
        SCOPED_TRACE(pick.does);
        std::filesystem::remove_all(prefs());
        ASSERT_EQ(confirmedUnseen(file("seed.png"), config.path(), kSeedSettings).exitCode, 0);
        const std::string out = file("picked" + std::to_string(i) + ".png");
        auto command = startShown(out, {});
        const std::string window = waitForWindow(*command, "Vendrel", isDialog);
        ASSERT_FALSE(window.empty()) << command->wait().err;
        xdotool(std::string("mousemove --window ") + window + " " + kFillSwatch + " click 1");
        const std::string picker = waitForWindow(*command, "Pick a Color", anySize);
        ASSERT_FALSE(picker.empty()) << "no colour selection showed: " << command->wait().err;
        xdotool("windowfocus --sync " + picker);
        for (std::string action : pick.actions) {
            if (const size_t at = action.find("%p"); at != std::string::npos) {
                action.replace(at, 2, picker);
            }
            xdotool(action);
        }
        xdotool("mousemove --window " + picker + " " + okOfColourSelection(picker) + " click 1");
        EXPECT_TRUE(waitUntilGone(picker)) << "the colour selection stayed open";
        xdotool(std::string("mousemove --window ") + window + " " + kOkButton + " click 1");
        const CommandResult shown = command->wait();
        ASSERT_EQ(shown.exitCode, 0) << shown.err;

        std::vector<std::string> settings = kSeedSettings;
        settings[1] = pick.fillColour;
        ASSERT_EQ(confirmedUnseen(file("expected.png"), file("expected-config" + std::to_string(i)), settings).exitCode,
                  0);
        EXPECT_TRUE(loadImage(out).pixels == loadImage(file("expected.png")).pixels)
            << "the run did not play fill colour " << pick.fillColour;
    }
    EXPECT_TRUE(loadImage(file("picked0.png")).pixels != loadImage(file("picked1.png")).pixels)
        << "the picked colour made no difference";
}

// A fill colour the image lacks: after OK the filter's alert shows as a message box (and on stderr), and the
// run ends once it is closed.
TEST_F(DialogWindowTest, TheFiltersAlertShowsAsAMessageBox)
{
    auto command = startShown(file("shown.png"), {"--fillcolor", "123456", "--tolerance", "0"});
    const std::string window = waitForWindow(*command, "Vendrel", isDialog);
    ASSERT_FALSE(window.empty()) << command->wait().err;
    xdotool("windowfocus --sync " + window);
    xdotool("key Return");
    const std::string box =
        waitForWindow(*command, "Vendrel", [](const std::string& geometry) { return !isDialog(geometry); });
    ASSERT_FALSE(box.empty()) << "no message box showed: " << command->wait().err;
    xdotool("windowfocus --sync " + box);
    xdotool("key Return");
    const CommandResult shown = command->wait();
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_NE(shown.err.find("not found"), std::string::npos) << shown.err;
}

} // namespace
} // namespace vendrel::test
