// Presses a button in the dialogs and message boxes the module draws with its own dialog manager, as a person
// would, for as long as the presser lives. Where the module draws no dialogs of its own it does nothing.
#pragma once

#include <memory>

namespace vendrel::test {

// Whether the module carries a dialog manager of its own on this platform (Windows: native controls).
bool ModuleDrawsOwnDialogs();

class DialogPresser {
public:
    // button: the control id to press, 1 (OK) or 2 (Cancel).
    explicit DialogPresser(int button = 1);
    ~DialogPresser();
    DialogPresser(const DialogPresser&) = delete;
    DialogPresser& operator=(const DialogPresser&) = delete;

    // How many windows it has pressed the button in so far.
    int Pressed() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace vendrel::test
