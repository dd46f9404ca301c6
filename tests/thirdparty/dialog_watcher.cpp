#include "dialog_watcher.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace vendrel::thirdparty {
namespace {

constexpr DWORD kPollMs = 50;
constexpr DWORD kSettleMs = 500;        // a person looks at a dialog before pressing a button
constexpr DWORD kCloseWithinMs = 10000; // how long a pressed dialog may take to go away
constexpr DWORD kGraceMs = 10000;       // how long the call may take to return after the watcher closed its windows
constexpr UINT kTextTimeoutMs = 1000;

void Say(const char* format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    std::fputs("watcher: ", stdout);
    std::vfprintf(stdout, format, arguments);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    va_end(arguments);
}

std::string Narrow(const wchar_t* text, int length)
{
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string narrow(size_t(std::max(bytes, 0)), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, narrow.data(), bytes, nullptr, nullptr);
    return narrow;
}

std::string ClassName(HWND window)
{
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return Narrow(name, length);
}

// Asked with a time limit, so that a window whose thread does not answer cannot stop the watcher.
std::string WindowText(HWND window)
{
    wchar_t text[1024] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kTextTimeoutMs,
                             &length))
        return "(no answer)";
    return Narrow(text, int(length));
}

struct WindowSearch {
    DWORD process;
    bool dialogsOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search.process && IsWindowVisible(window) && (!search.dialogsOnly || ClassName(window) == "#32770"))
        search.found.push_back(window);
    return TRUE;
}

// The visible top-level windows of this process: dialogs only (class "#32770"), or all of them.
std::vector<HWND> OurWindows(bool dialogsOnly)
{
    WindowSearch search{GetCurrentProcessId(), dialogsOnly, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK CollectControl(HWND window, LPARAM context)
{
    auto& controls = *reinterpret_cast<std::vector<DialogControl>*>(context);
    controls.push_back({window, ClassName(window), GetDlgCtrlID(window), WindowText(window)});
    return TRUE;
}

std::vector<DialogControl> Controls(HWND dialog)
{
    std::vector<DialogControl> controls;
    EnumChildWindows(dialog, CollectControl, reinterpret_cast<LPARAM>(&controls));
    return controls;
}

const DialogControl* FindButton(const std::vector<DialogControl>& controls, int id)
{
    for (const DialogControl& control : controls)
        if (control.id == id && _stricmp(control.className.c_str(), "Button") == 0)
            return &control;
    return nullptr;
}

bool IsExpected(const SeenDialog& seen, const WatchPlan& plan)
{
    if (!plan.caption.empty() && seen.caption != plan.caption)
        return false;
    return std::all_of(plan.buttons.begin(), plan.buttons.end(),
                       [&](int id) { return FindButton(seen.controls, id) != nullptr; });
}

// The expected dialog gets the planned button; any other window the button that closes it most quietly.
const DialogControl* ButtonToPress(const SeenDialog& seen, const WatchPlan& plan)
{
    if (seen.expected)
        return FindButton(seen.controls, plan.press);
    for (int id : {IDCANCEL, IDOK})
        if (const DialogControl* button = FindButton(seen.controls, id))
            return button;
    return nullptr;
}

void Describe(const SeenDialog& seen)
{
    Say("dialog \"%s\" (%s), %zu controls:", seen.caption.c_str(),
        seen.expected ? "the one waited for" : "not the one waited for", seen.controls.size());
    for (const DialogControl& control : seen.controls)
        Say("  %s id %d \"%s\"", control.className.c_str(), control.id, control.text.c_str());
}

bool WaitUntilGone(HWND window, DWORD milliseconds)
{
    for (DWORD waited = 0; waited < milliseconds; waited += kPollMs) {
        if (!IsWindow(window) || !IsWindowVisible(window))
            return true;
        Sleep(kPollMs);
    }
    return false;
}

// Closes a window left open: its Cancel button when it has one, else the close request of its frame.
void Close(HWND window)
{
    const std::vector<DialogControl> controls = Controls(window);
    if (const DialogControl* cancel = FindButton(controls, IDCANCEL))
        PostMessageW(cancel->window, BM_CLICK, 0, 0);
    else
        PostMessageW(window, WM_CLOSE, 0, 0);
}

} // namespace

DialogWatcher::DialogWatcher(WatchPlan plan) : plan_(std::move(plan)), thread_([this] { watch(); }) {}

DialogWatcher::~DialogWatcher()
{
    returned_ = true;
    if (thread_.joinable())
        thread_.join();
}

WatchReport DialogWatcher::finish()
{
    returned_ = true;
    if (thread_.joinable())
        thread_.join();
    std::lock_guard<std::mutex> lock(reportMutex_);
    return report_;
}

void DialogWatcher::watch()
{
    ULONGLONG deadline = GetTickCount64() + plan_.appearWithinMs;
    std::string waitingFor = "a dialog to appear within " + std::to_string(plan_.appearWithinMs / 1000) + " s";
    while (!returned_) {
        for (HWND dialog : OurWindows(true)) {
            if (returned_ || !handled_.insert(dialog).second)
                continue;
            handle(dialog);
            deadline = GetTickCount64() + plan_.returnWithinMs;
            waitingFor = "the engine call to return within " + std::to_string(plan_.returnWithinMs / 1000) +
                         " s after its dialog closed";
        }
        if (GetTickCount64() > deadline) {
            giveUp(waitingFor);
            return;
        }
        Sleep(kPollMs);
    }
}

void DialogWatcher::handle(HWND dialog)
{
    Sleep(kSettleMs);
    SeenDialog seen;
    seen.caption = WindowText(dialog);
    seen.controls = Controls(dialog);
    seen.expected = IsExpected(seen, plan_);
    Describe(seen);
    if (const DialogControl* button = ButtonToPress(seen, plan_)) {
        Say("pressing button %d \"%s\"", button->id, button->text.c_str());
        seen.pressedId = button->id;
        PostMessageW(button->window, BM_CLICK, 0, 0);
    } else {
        Say("no button to press: asking the window to close");
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
    seen.closed = WaitUntilGone(dialog, kCloseWithinMs);
    if (seen.closed) {
        Say("the dialog closed");
    } else {
        Say("the dialog is still open %lu s after the press; asking it to close", kCloseWithinMs / 1000);
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    }
    std::lock_guard<std::mutex> lock(reportMutex_);
    report_.dialogs.push_back(seen);
}

void DialogWatcher::giveUp(const std::string& waitedFor)
{
    Say("gave up waiting for %s", waitedFor.c_str());
    {
        std::lock_guard<std::mutex> lock(reportMutex_);
        report_.timeout = waitedFor;
    }
    for (HWND window : OurWindows(false)) {
        Say("closing a window left open: class %s, caption \"%s\"", ClassName(window).c_str(),
            WindowText(window).c_str());
        Close(window);
    }
    if (!waitForReturn(kGraceMs)) {
        Say("the engine call did not return %lu s later either: ending the driver", kGraceMs / 1000);
        TerminateProcess(GetCurrentProcess(), kExitHung);
    }
}

bool DialogWatcher::waitForReturn(DWORD milliseconds) const
{
    for (DWORD waited = 0; waited < milliseconds; waited += kPollMs) {
        if (returned_)
            return true;
        Sleep(kPollMs);
    }
    return returned_;
}

} // namespace vendrel::thirdparty
