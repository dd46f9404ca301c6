#include "GdiSurface_win.h"

#include <utility>

namespace owndm {

COLORREF NamedColor(int32 color)
{
    switch (color) {
    case kADMWhiteColor:
        return RGB(255, 255, 255);
    case kADMHiliteColor:
        return GetSysColor(COLOR_HIGHLIGHT);
    case kADMHiliteTextColor:
        return GetSysColor(COLOR_HIGHLIGHTTEXT);
    case kADMLightColor:
        return GetSysColor(COLOR_3DHILIGHT);
    case kADMBackgroundColor:
        return GetSysColor(COLOR_3DFACE);
    case kADMShadowColor:
        return GetSysColor(COLOR_3DSHADOW);
    case kADMDisabledColor:
        return GetSysColor(COLOR_GRAYTEXT);
    default: // black, and any code the dialog manager does not name
        return RGB(0, 0, 0);
    }
}

namespace {

RECT ToRect(const ADMRect& rect)
{
    return RECT{LONG(rect.left), LONG(rect.top), LONG(rect.right), LONG(rect.bottom)};
}

// A solid brush for one operation.
class SolidBrush {
public:
    explicit SolidBrush(COLORREF color) : fBrush(CreateSolidBrush(color)) {}
    ~SolidBrush()
    {
        if (fBrush)
            DeleteObject(fBrush);
    }
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;
    HBRUSH Get() const { return fBrush; }

private:
    HBRUSH fBrush;
};

} // namespace

GdiSurface::GdiSurface(HDC dc, const ADMRect& bounds, std::function<void()> drawDefault)
    : fDC(dc), fBounds(bounds), fDrawDefault(std::move(drawDefault))
{
}

void GdiSurface::SetNamedColor(int32 color)
{
    fColor = NamedColor(color);
}

// Channels of 16 bits: the high byte is the 8-bit channel.
void GdiSurface::SetRGBColor(const ADMRGBColor& color)
{
    fColor = RGB(color.red >> 8, color.green >> 8, color.blue >> 8);
}

void GdiSurface::FrameRect(const ADMRect& rect)
{
    const RECT area = ToRect(rect);
    SolidBrush brush(fColor);
    if (brush.Get() && !IsRectEmpty(&area))
        ::FrameRect(fDC, &area, brush.Get());
}

void GdiSurface::FillRect(const ADMRect& rect)
{
    const RECT area = ToRect(rect);
    SolidBrush brush(fColor);
    if (brush.Get() && !IsRectEmpty(&area))
        ::FillRect(fDC, &area, brush.Get());
}

void GdiSurface::DrawDefault()
{
    if (fDrawDefault)
        fDrawDefault();
}

} // namespace owndm
