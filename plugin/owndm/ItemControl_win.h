// The native control that shows one item: made for the item's type, placed at the item's bounds (in pixels of
// the dialog's client area) and kept in step with the item's state.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "OwnModel.h"
#include "PictureButton_win.h"
#include "UserItemWindow_win.h"

namespace owndm {

class ItemControl {
public:
    // A control of dialogWindow for item, in the dialog's font, showing the item's state.
    ItemControl(HWND dialogWindow, ItemModel& item, const ADMRect& dialogFrame);
    ~ItemControl();
    ItemControl(const ItemControl&) = delete;
    ItemControl& operator=(const ItemControl&) = delete;

    HWND Window() const { return fWindow; }
    ItemModel& Item() const { return fItem; }

    // Shows the item's state again: bounds (hidden when wholly outside the dialog's frame), enabled state,
    // label or value, check mark, popup entries and chosen entry, picture.
    void Refresh(const ADMRect& dialogFrame);
    // Draws the item's look again.
    void Redraw();
    // An entry field's text as the user left it, when it differs from what the field last showed. The field
    // then counts it as shown, so that the value it stands for is shown again in the field's own form.
    std::optional<std::string> TakeEditedText();
    // Paints an owner-drawn picture push button.
    void DrawPicture(const DRAWITEMSTRUCT& draw) const;

private:
    void RefreshBounds(const ADMRect& dialogFrame);
    void RefreshText();
    void RefreshCheck();
    void RefreshEntries();
    void SetShownText(const std::wstring& text);

    ItemModel& fItem;
    HWND fWindow = nullptr;
    std::wstring fShownText;
    std::vector<std::wstring> fShownEntries;
    int fShownActive = -1;
    std::unique_ptr<UserItemWindow> fUserItem;
    std::unique_ptr<PictureButton> fPicture;
};

} // namespace owndm
