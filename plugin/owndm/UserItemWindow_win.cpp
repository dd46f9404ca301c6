#include "UserItemWindow_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "GdiSurface_win.h"
#include "OwnActions.h"
#include "OwnLiveObjects.h"
#include "PaintScope_win.h"

namespace owndm {

namespace {

constexpr UINT_PTR kSubclassID = 1;

ADMPoint PointOf(LPARAM lParam)
{
    return ADMPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

UserItemWindow::UserItemWindow(HWND window, ItemModel& item) : fWindow(window), fItem(item)
{
    SetWindowSubclass(fWindow, Procedure, kSubclassID, reinterpret_cast<DWORD_PTR>(this));
}

UserItemWindow::~UserItemWindow()
{
    Detach();
}

void UserItemWindow::Detach()
{
    if (fWindow)
        RemoveWindowSubclass(fWindow, Procedure, kSubclassID);
    fWindow = nullptr;
}

LRESULT CALLBACK UserItemWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self)
{
    try {
        auto* owner = reinterpret_cast<UserItemWindow*>(self);
        if (message == WM_NCDESTROY)
            owner->Detach();
        else if (owner->Handle(message, lParam))
            return message == WM_ERASEBKGND ? 1 : 0;
    } catch (...) {
        // Nothing may leave a window procedure; the message counts as handled.
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

// True when the message was handled here.
bool UserItemWindow::Handle(UINT message, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return true; // painting covers the whole item
    case WM_PAINT:
        Paint();
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        ButtonDown(PointOf(lParam));
        return true;
    case WM_MOUSEMOVE:
        MouseMoved(PointOf(lParam));
        return true;
    case WM_LBUTTONUP:
        ButtonUp(PointOf(lParam));
        return true;
    case WM_CAPTURECHANGED:
        fTracking = false;
        return true;
    default:
        return false;
    }
}

// The face colour first, then the item's draw callback, whose default drawing adds nothing to it.
void UserItemWindow::Paint()
{
    PaintScope paint(fWindow);
    RECT client{};
    GetClientRect(fWindow, &client);
    FillRect(paint.DC(), &client, GetSysColorBrush(COLOR_3DFACE));
    if (!IsLive(&fItem, Kind::item) || !fItem.procs.draw)
        return;
    GdiSurface surface(paint.DC(), ADMRect{0, 0, client.right, client.bottom}, nullptr);
    fItem.procs.draw(fItem.Ref(), surface.Ref());
}

// Each callback may take the item, and with it this window, away: only a live item is touched afterwards.
void UserItemWindow::ButtonDown(ADMPoint point)
{
    ItemModel* const item = &fItem;
    SetCapture(fWindow);
    fTracking = true;
    fChanged = false;
    const bool changed = TrackMouse(*item, kADMButtonDownAction, point);
    if (IsLive(item, Kind::item))
        fChanged = changed;
}

void UserItemWindow::MouseMoved(ADMPoint point)
{
    if (!fTracking)
        return;
    ItemModel* const item = &fItem;
    const bool changed = TrackMouse(*item, kADMMouseMovedDownAction, point);
    if (IsLive(item, Kind::item))
        fChanged = fChanged || changed;
}

void UserItemWindow::ButtonUp(ADMPoint point)
{
    if (!fTracking)
        return;
    ItemModel* const item = &fItem;
    const bool changedBefore = fChanged;
    fTracking = false;
    const bool changed = TrackMouse(*item, kADMButtonUpAction, point) || changedBefore;
    if (!IsLive(item, Kind::item))
        return;
    if (GetCapture() == fWindow)
        ReleaseCapture();
    FinishClick(*item, changed);
}

} // namespace owndm
