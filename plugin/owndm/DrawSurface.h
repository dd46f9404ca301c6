// Where a draw callback's drawing goes: a current colour and rectangle operations in the item's (or dialog's)
// own coordinates. The platform paints them; the drawer suite reaches the surface through the drawer reference,
// which is the surface's address and is live while the surface exists.
#pragma once

#include "ADMTypes.h"

namespace owndm {

class DrawSurface {
public:
    DrawSurface();
    virtual ~DrawSurface();
    DrawSurface(const DrawSurface&) = delete;
    DrawSurface& operator=(const DrawSurface&) = delete;

    ADMDrawerRef Ref() { return reinterpret_cast<ADMDrawerRef>(this); }
    static DrawSurface* FromRef(ADMDrawerRef ref);
    // What the default drawing (DefaultDraw) paints on the surface behind ref, when it is live.
    static void DrawDefaultThrough(ADMDrawerRef ref);

    // (0, 0, width, height) of what is drawn.
    virtual ADMRect Bounds() const = 0;
    virtual void SetNamedColor(int32 color) = 0; // kADMBlackColor, ...
    virtual void SetRGBColor(const ADMRGBColor& color) = 0;
    virtual void FrameRect(const ADMRect& rect) = 0; // one-pixel outline inside rect
    virtual void FillRect(const ADMRect& rect) = 0;
    // The standard look of what is drawn: the dialog's or item's own background.
    virtual void DrawDefault() = 0;
};

} // namespace owndm
