// Watches this process's dialog windows while the main thread is inside an engine call, and presses a button in
// each one as a person would. A dialog that never comes, or a call that never returns, ends the wait: the
// watcher closes what it can and, when the call still does not return, ends the process rather than hang.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace vendrel::thirdparty {

// The exit status of a driver that its watcher ended because the engine call never returned.
constexpr int kExitHung = 3;

struct DialogControl {
    HWND window = nullptr;
    std::string className;
    int id = 0;
    std::string text;
};

struct SeenDialog {
    std::string caption;
    std::vector<DialogControl> controls;
    bool expected = false; // it had the caption and the buttons the watcher waited for
    int pressedId = 0;     // the button pressed; 0 when it had none to press and was asked to close instead
    bool closed = false;   // it went away after the press
};

struct WatchPlan {
    std::string caption;           // the expected dialog's caption; empty for any caption
    std::vector<int> buttons;      // ids of the buttons the expected dialog holds
    int press = IDOK;              // the button pressed in the expected dialog
    DWORD appearWithinMs = 20000;  // how long the first dialog may take to appear
    DWORD returnWithinMs = 120000; // how long the call may take to return after a dialog closed
};

struct WatchReport {
    std::vector<SeenDialog> dialogs;
    std::string timeout; // what the watcher waited for in vain; empty when nothing
};

class DialogWatcher {
public:
    explicit DialogWatcher(WatchPlan plan); // starts watching at once
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // Called when the watched call has returned: stops the watcher and tells what it saw.
    WatchReport finish();

private:
    void watch();
    void handle(HWND dialog);
    void giveUp(const std::string& waitedFor);
    bool waitForReturn(DWORD milliseconds) const;

    const WatchPlan plan_;
    std::atomic<bool> returned_{false};
    std::set<HWND> handled_;
    std::mutex reportMutex_;
    WatchReport report_;
    std::thread thread_;
};

} // namespace vendrel::thirdparty
