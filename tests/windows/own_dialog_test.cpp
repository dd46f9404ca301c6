// The module's own dialog manager on Windows. With the host's eight dialog-manager suites withheld, the main
// dialog and the About box are native dialog boxes of this process. A watcher thread finds each one and works it
// as a person would (types into entry fields, clicks check boxes and buttons, presses Enter or Escape); the runs
// must end as the dialog code says, with what the person did in the settings.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ADMSuites.h"
#include "SettingsTable.h"
#include "VendrelParams.h"
#include "params_descriptor_keys.h"
#include "vendrel/host/FilterHost.h"
#include "vendrel/host/PluginModule.h"
#include "vendrel/host/FrontEnd.h"

namespace vendrel::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::set<std::string> kDialogManagerSuites = {kADMBasicSuite,    kADMDialogSuite, kADMEntrySuite,
                                                    kADMListSuite,     kADMItemSuite,   kADMDrawerSuite,
                                                    kADMNotifierSuite, kADMTrackerSuite};
constexpr wchar_t kDialogCaption[] = L"Vendrel";
constexpr auto kDialogWait = 30s; // after which a box still open counts as forgotten and is closed

struct DialogSearch {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectModuleBox(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<DialogSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[16] = {0};
    wchar_t caption[64] = {0};
    GetClassNameW(window, className, 16);
    GetWindowTextW(window, caption, 64);
    if (owner == search.process && IsWindowVisible(window) && std::wcscmp(className, L"#32770") == 0 &&
        std::wcscmp(caption, kDialogCaption) == 0)
        search.found.push_back(window);
    return TRUE;
}

// The visible dialog boxes of this process captioned with the module's name: its dialogs and its alerts.
std::vector<HWND> ModuleBoxes()
{
    DialogSearch search{GetCurrentProcessId(), {}};
    EnumWindows(CollectModuleBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {0};
    GetWindowTextW(window, text, 512);
    return text;
}

// The dialog's controls of a window class, from the top of the dialog down.
std::vector<HWND> ControlsOfClass(HWND dialog, const wchar_t* windowClass)
{
    std::vector<HWND> controls;
    for (HWND child = FindWindowExW(dialog, nullptr, windowClass, nullptr); child;
         child = FindWindowExW(dialog, child, windowClass, nullptr))
        controls.push_back(child);
    const auto top = [dialog](HWND control) {
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        return rect.top;
    };
    std::stable_sort(controls.begin(), controls.end(), [&](HWND a, HWND b) { return top(a) < top(b); });
    return controls;
}

void Click(HWND button)
{
    SendMessageW(button, BM_CLICK, 0, 0);
}

// A mouse click inside a window that takes the mouse itself (a user item).
void ClickInside(HWND window)
{
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

// The dialog's square controls of a window class, from the top down: the colour swatches among the statics.
std::vector<HWND> SquaresOfClass(HWND dialog, const wchar_t* windowClass)
{
    std::vector<HWND> squares;
    for (HWND control : ControlsOfClass(dialog, windowClass)) {
        RECT rect{};
        GetClientRect(control, &rect);
        if (rect.right > 0 && rect.right == rect.bottom)
            squares.push_back(control);
    }
    return squares;
}

// A key pressed and released where the dialog box has its keyboard focus, once it has one.
void PressKey(HWND dialog, WPARAM key)
{
    const auto giveUp = std::chrono::steady_clock::now() + kDialogWait;
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    while (std::chrono::steady_clock::now() < giveUp) {
        if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &focus) && focus.hwndFocus &&
            IsChild(dialog, focus.hwndFocus)) {
            PostMessageW(focus.hwndFocus, WM_KEYDOWN, key, 1);
            PostMessageW(focus.hwndFocus, WM_KEYUP, key, 1 | 3u << 30);
            return;
        }
        std::this_thread::sleep_for(50ms);
    }
}

// A person at the module's dialog, on a thread of its own for as long as the run goes on: works the first box
// the module shows with use, and closes any box that shows after it (an alert, say) or that is still open long
// after, so that a failing run cannot hang the test.
class DialogUser {
public:
    explicit DialogUser(std::function<void(HWND)> use) : thread_([this, use = std::move(use)] { Watch(use); }) {}
    ~DialogUser() { Finish(); }
    DialogUser(const DialogUser&) = delete;
    DialogUser& operator=(const DialogUser&) = delete;

    // Ends the watch, once the run is over; true when the module's dialog box showed.
    bool Finish()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        return dialog_ != nullptr;
    }

    // The boxes that showed after the dialog, each closed unread.
    int OtherBoxes() const { return int(closed_.size()); }

private:
    void Watch(const std::function<void(HWND)>& use)
    {
        const auto start = std::chrono::steady_clock::now();
        while (!stop_) {
            for (HWND box : ModuleBoxes()) {
                if (!dialog_) {
                    dialog_ = box;
                    use(box);
                } else if ((box != dialog_ || std::chrono::steady_clock::now() - start > kDialogWait) &&
                           closed_.insert(box).second) {
                    PostMessageW(box, WM_CLOSE, 0, 0);
                }
            }
            std::this_thread::sleep_for(50ms);
        }
    }

    std::atomic<bool> stop_{false};
    std::atomic<HWND> dialog_{nullptr};
    std::set<HWND> closed_;
    std::thread thread_;
};

// The preferences file a confirmed dialog writes, in the roaming application-data folder.
fs::path PrefsFile()
{
    char folder[MAX_PATH + 1] = {0};
    SHGetSpecialFolderPathA(nullptr, folder, 26, TRUE);
    return fs::path(folder) / "Vendrel Prefs";
}

std::optional<std::string> ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The host's colour picker, answering every pick with one colour and counting the picks.
class PickingFrontEnd : public FrontEnd {
public:
    explicit PickingFrontEnd(std::array<uint8_t, 3> answer) : answer_(answer) {}
    std::optional<std::array<uint8_t, 3>> pickColor(std::array<uint8_t, 3>) override
    {
        ++picks;
        return answer_;
    }
    int picks = 0;

private:
    std::array<uint8_t, 3> answer_;
};

class OwnDialogManager : public ::testing::Test {
protected:
    // The settings these tests confirm must not reach the other tests' runs through the preferences file.
    void SetUp() override
    {
        prefsBefore_ = ReadFile(PrefsFile());
        module_ = PluginModule::load(VENDREL_MODULE_PATH);
        config_.hostFolder = fs::temp_directory_path().string();
        config_.withoutSuites = kDialogManagerSuites;
    }

    void TearDown() override
    {
        std::error_code ignored;
        if (prefsBefore_)
            std::ofstream(PrefsFile(), std::ios::binary) << *prefsBefore_;
        else
            fs::remove(PrefsFile(), ignored);
    }

    // Settings handed over with the dialog shown, each of those the tests change away from what the preferences
    // file may hold: white to replace with random colours, tolerance 12, joining off with size 10, flagging off.
    static RunOptions StartingSettings()
    {
        auto white = std::make_shared<Descriptor>(); // 16-bit channels
        white->put(kRed, int32_t(65535));
        white->put(kGreen, int32_t(65535));
        white->put(kBlue, int32_t(65535));
        Descriptor settings;
        settings.put(kFillColor, DescriptorObject{kRGBC, white});
        settings.put(kRandom, true);
        settings.put(kTolerance, int32_t(12));
        settings.put(kJoinAreas, false);
        settings.put(kJoinSize, int32_t(10));
        settings.put(kFlagAreas, false);
        RunOptions options;
        options.descriptor = settings;
        options.showDialog = true;
        return options;
    }

    // An image of one colour: a run whose colour to replace is that one repaints every pixel.
    static HostImage SolidImage(std::array<uint8_t, 3> color)
    {
        HostImage image = HostImage::blank(6, 4);
        for (size_t i = 0; i < image.pixels.size(); ++i)
            image.pixels[i] = color[i % 3];
        return image;
    }

    std::optional<std::string> prefsBefore_;
    std::unique_ptr<PluginModule> module_;
    HostConfig config_;
};

int32_t RecordedNumber(const RunResult& run, DescriptorKeyID key)
{
    const DescriptorValue* value = run.recorded ? run.recorded->find(key) : nullptr;
    return value && std::holds_alternative<int32_t>(*value) ? std::get<int32_t>(*value) : -1;
}

bool RecordedFlag(const RunResult& run, DescriptorKeyID key)
{
    const DescriptorValue* value = run.recorded ? run.recorded->find(key) : nullptr;
    return value && std::holds_alternative<bool>(*value) && std::get<bool>(*value);
}

TEST_F(OwnDialogManager, OkConfirmsWhatWasTypedAndClickedInTheNativeDialog)
{
    const int32_t toleranceMaximum = std::get<NumberField<uint16>>(SettingNamed("tolerance").field).maximum;
    const std::array<uint8_t, 3> picked = {0x10, 0x20, 0x30};
    PickingFrontEnd frontEnd(picked);
    config_.frontEnd = &frontEnd;
    std::wstring toleranceShown;
    bool joinSizeEnabledBefore = true;
    bool joinSizeEnabledAfter = false;
    bool okIsDefault = false;
    DialogUser person([&](HWND dialog) {
        const std::vector<HWND> fields = ControlsOfClass(dialog, L"Edit");    // tolerance, join size, flag size
        const std::vector<HWND> swatches = SquaresOfClass(dialog, L"Static"); // the fill colour's, the flag's
        HWND join = FindWindowExW(dialog, nullptr, L"Button", L"Join Areas <=");
        HWND ok = GetDlgItem(dialog, IDOK);
        if (fields.size() != 3 || swatches.size() != 2 || !join || !ok)
            return;
        okIsDefault = LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)) == IDOK;
        toleranceShown = TextOf(fields[0]);
        joinSizeEnabledBefore = IsWindowEnabled(fields[1]);
        Click(join);
        joinSizeEnabledAfter = IsWindowEnabled(fields[1]);
        ClickInside(swatches[0]);
        SetWindowTextW(fields[0], L"250");
        SetWindowTextW(fields[1], L"33 px");
        Click(ok);
    });
    FilterHost host(*module_, config_);
    HostImage image = SolidImage(picked);
    const std::vector<uint8_t> before = image.pixels;
    const RunResult run = host.run(image, StartingSettings());
    ASSERT_TRUE(person.Finish()) << "no dialog box captioned Vendrel showed";

    EXPECT_EQ(run.result, 0);
    // The colour picked in the dialog was found and replaced: no alert, other pixels.
    EXPECT_EQ(person.OtherBoxes(), 0);
    EXPECT_NE(image.pixels, before);
    EXPECT_TRUE(okIsDefault);
    EXPECT_EQ(toleranceShown, L"12");
    EXPECT_FALSE(joinSizeEnabledBefore);
    EXPECT_TRUE(joinSizeEnabledAfter);
    // The run used what the dialog confirmed: the tolerance typed, held to its maximum, and joining of areas up to
    // the size typed with its unit.
    EXPECT_EQ(RecordedNumber(run, kTolerance), toleranceMaximum);
    EXPECT_TRUE(RecordedFlag(run, kJoinAreas));
    EXPECT_EQ(RecordedNumber(run, kJoinSize), 33);
    const std::vector<uint8_t> confirmed = host.parametersBytes();
    ASSERT_EQ(confirmed.size(), sizeof(_SVendrelParams));
    _SVendrelParams params;
    std::memcpy(&params, confirmed.data(), sizeof params);
    EXPECT_EQ(params.tolerance, toleranceMaximum);
    EXPECT_TRUE(params.joinAreas);
    EXPECT_EQ(params.joinSize, 33);
    // One click on the fill colour's swatch asked for one colour; the one picked is the colour to replace, each
    // 8-bit channel the high byte of the stored 16-bit one.
    EXPECT_EQ(frontEnd.picks, 1);
    EXPECT_EQ(params.fillColor[0] >> 8, 0x10);
    EXPECT_EQ(params.fillColor[1] >> 8, 0x20);
    EXPECT_EQ(params.fillColor[2] >> 8, 0x30);
}

TEST_F(OwnDialogManager, EscapeCancelsTheRunAndLeavesTheImageAsItWas)
{
    DialogUser person([](HWND dialog) {
        const std::vector<HWND> fields = ControlsOfClass(dialog, L"Edit");
        if (!fields.empty())
            SetWindowTextW(fields[0], L"55");
        PressKey(dialog, VK_ESCAPE);
    });
    FilterHost host(*module_, config_);
    // White, the colour to replace: a run that went ahead would change it.
    HostImage image = SolidImage({255, 255, 255});
    const std::vector<uint8_t> before = image.pixels;
    const RunResult run = host.run(image, StartingSettings());
    ASSERT_TRUE(person.Finish()) << "no dialog box captioned Vendrel showed";

    EXPECT_EQ(run.result, -128);
    EXPECT_EQ(person.OtherBoxes(), 0);
    EXPECT_EQ(run.failedSelector, filterSelectorParameters);
    EXPECT_EQ(image.pixels, before);
    EXPECT_TRUE(host.parametersBytes().empty());
}

TEST_F(OwnDialogManager, AboutBoxShowsTheProductTextAndEnterAnswersOk)
{
    std::wstring productText;
    DialogUser person([&](HWND dialog) {
        for (HWND label : ControlsOfClass(dialog, L"Static"))
            if (TextOf(label).find(L"Vendrel") == 0)
                productText = TextOf(label);
        PressKey(dialog, VK_RETURN);
    });
    FilterHost host(*module_, config_);
    const int16_t answer = host.about();
    ASSERT_TRUE(person.Finish()) << "no dialog box captioned Vendrel showed";

    EXPECT_EQ(answer, 1);
    EXPECT_EQ(person.OtherBoxes(), 0);
    // The dialog code writes the registered-trademark sign in Mac OS Roman (0xA8); the box shows the sign itself.
    EXPECT_NE(productText.find(L"Adobe Photoshop\u00AE."), std::wstring::npos);
}

} // namespace
} // namespace vendrel::test
