// A draw callback's drawing painted on a device context, in the coordinates of the item (or dialog) drawn.
#pragma once

#include <windows.h>

#include <functional>

#include "DrawSurface.h"

namespace owndm {

class GdiSurface final : public DrawSurface {
public:
    // bounds: (0, 0, width, height) of what is drawn; drawDefault paints its standard look.
    GdiSurface(HDC dc, const ADMRect& bounds, std::function<void()> drawDefault);

    ADMRect Bounds() const override { return fBounds; }
    void SetNamedColor(int32 color) override;
    void SetRGBColor(const ADMRGBColor& color) override;
    void FrameRect(const ADMRect& rect) override;
    void FillRect(const ADMRect& rect) override;
    void DrawDefault() override;

private:
    HDC fDC;
    ADMRect fBounds;
    std::function<void()> fDrawDefault;
    COLORREF fColor = RGB(0, 0, 0);
};

// The dialog manager's named colours in the system's colours (black, white, highlight, ..., the grey of
// disabled items).
COLORREF NamedColor(int32 color);

} // namespace owndm
