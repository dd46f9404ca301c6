// BeginPaint and EndPaint around the handling of one WM_PAINT.
#pragma once

#include <windows.h>

namespace owndm {

class PaintScope {
public:
    explicit PaintScope(HWND window) : fWindow(window) { fDC = BeginPaint(window, &fPaint); }
    ~PaintScope() { EndPaint(fWindow, &fPaint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC DC() const { return fDC; }

private:
    HWND fWindow;
    PAINTSTRUCT fPaint{};
    HDC fDC;
};

} // namespace owndm
