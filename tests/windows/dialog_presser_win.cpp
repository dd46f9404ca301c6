// Watches this process's dialog windows from a thread of its own and presses the button in each, by the same
// command a click on it sends.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <set>
#include <thread>

#include "dialog_presser.h"

namespace vendrel::test {

namespace {

constexpr auto kLookInterval = std::chrono::milliseconds(50);

struct Search {
    DWORD process;
    std::set<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[16] = {0};
    GetClassNameA(window, className, sizeof className);
    if (owner == search.process && IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0)
        search.found.insert(window);
    return TRUE;
}

} // namespace

bool ModuleDrawsOwnDialogs()
{
    return true;
}

struct DialogPresser::Impl {
    int button;
    std::atomic<bool> stop{false};
    std::atomic<int> pressed{0};
    std::thread watcher;

    explicit Impl(int buttonId) : button(buttonId), watcher([this] { Watch(); }) {}

    void Watch()
    {
        std::set<HWND> done;
        while (!stop) {
            Search search{GetCurrentProcessId(), {}};
            EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
            for (HWND dialog : search.found) {
                HWND control = GetDlgItem(dialog, button);
                if (done.count(dialog) || !control || !IsWindowEnabled(control))
                    continue;
                PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
                done.insert(dialog);
                ++pressed;
            }
            // A handle may be reused by a later dialog once the pressed one is gone.
            for (auto it = done.begin(); it != done.end();)
                it = IsWindow(*it) ? std::next(it) : done.erase(it);
            std::this_thread::sleep_for(kLookInterval);
        }
    }
};

DialogPresser::DialogPresser(int button) : impl_(std::make_unique<Impl>(button)) {}

DialogPresser::~DialogPresser()
{
    impl_->stop = true;
    impl_->watcher.join();
}

int DialogPresser::Pressed() const
{
    return impl_->pressed;
}

} // namespace vendrel::test
