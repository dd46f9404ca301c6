// The window of a user item: a plain child window whose painting goes to the item's draw callback and whose
// mouse clicks go to its track callback as tracker actions; a click the callback reports as a change sends the
// user-changed notification.
#pragma once

#include <windows.h>

#include "OwnModel.h"

namespace owndm {

class UserItemWindow {
public:
    // Takes over the painting and mouse input of window, which shows item.
    UserItemWindow(HWND window, ItemModel& item);
    ~UserItemWindow();
    UserItemWindow(const UserItemWindow&) = delete;
    UserItemWindow& operator=(const UserItemWindow&) = delete;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    bool Handle(UINT message, LPARAM lParam);
    void Paint();
    void ButtonDown(ADMPoint point);
    void MouseMoved(ADMPoint point);
    void ButtonUp(ADMPoint point);
    void Detach();

    HWND fWindow;
    ItemModel& fItem;
    bool fTracking = false;
    bool fChanged = false;
};

} // namespace owndm
