#include "PictureButton_win.h"

#include "OwnModule_win.h"

namespace owndm {

PictureButton::~PictureButton()
{
    if (fBitmap)
        DeleteObject(fBitmap);
}

void PictureButton::Show(int32 pictureID)
{
    if (pictureID == fPictureID)
        return;
    if (fBitmap)
        DeleteObject(fBitmap);
    fPictureID = pictureID;
    fBitmap = pictureID > 0 && pictureID <= 0xFFFF
                  ? static_cast<HBITMAP>(LoadImageW(OwnModuleHandle(), MAKEINTRESOURCEW(pictureID), IMAGE_BITMAP, 0, 0,
                                                    LR_CREATEDIBSECTION))
                  : nullptr;
}

void PictureButton::Draw(const DRAWITEMSTRUCT& draw, bool enabled) const
{
    const bool pressed = (draw.itemState & ODS_SELECTED) != 0;
    RECT area = draw.rcItem;
    FillRect(draw.hDC, &area, GetSysColorBrush(COLOR_3DFACE));
    if (fBitmap)
        DrawPicture(draw.hDC, area, pressed, enabled);
    else
        DrawEdge(draw.hDC, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (draw.itemState & ODS_FOCUS) {
        InflateRect(&area, -1, -1);
        DrawFocusRect(draw.hDC, &area);
    }
}

void PictureButton::DrawPicture(HDC dc, const RECT& area, bool pressed, bool enabled) const
{
    BITMAP size{};
    if (!GetObjectW(fBitmap, sizeof size, &size))
        return;
    const int offset = pressed ? 1 : 0;
    const int x = area.left + (area.right - area.left - size.bmWidth) / 2 + offset;
    const int y = area.top + (area.bottom - area.top - size.bmHeight) / 2 + offset;
    if (!enabled) {
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(fBitmap), 0, x, y, size.bmWidth, size.bmHeight,
                   DST_BITMAP | DSS_DISABLED);
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    if (!source)
        return;
    HGDIOBJ previous = SelectObject(source, fBitmap);
    BitBlt(dc, x, y, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

} // namespace owndm
