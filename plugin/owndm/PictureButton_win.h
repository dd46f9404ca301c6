// The picture of a picture push button: a bitmap of the module's resources, drawn centred on the button's face.
#pragma once

#include <windows.h>

#include "PITypes.h"

namespace owndm {

class PictureButton {
public:
    PictureButton() = default;
    ~PictureButton();
    PictureButton(const PictureButton&) = delete;
    PictureButton& operator=(const PictureButton&) = delete;

    // Loads the module's bitmap pictureID when it is not the one shown already.
    void Show(int32 pictureID);
    // Paints the button for an owner-drawn button's WM_DRAWITEM: the face, the picture (greyed when disabled,
    // pushed in while pressed) and the focus mark.
    void Draw(const DRAWITEMSTRUCT& draw, bool enabled) const;

private:
    void DrawPicture(HDC dc, const RECT& area, bool pressed, bool enabled) const;

    int32 fPictureID = 0;
    HBITMAP fBitmap = nullptr;
};

} // namespace owndm
