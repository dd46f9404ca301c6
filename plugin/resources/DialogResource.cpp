// The dialog frame that both of the plug-in's dialogs are built on: caption, font and the OK and Cancel buttons,
// in dialog units.
#include <iterator>

#include "PIResources.h"
#include "Resources.h"

namespace {

constexpr uint16_t kDialogResourceVersion = 1;

struct DialogButton {
    int16_t id;
    int16_t x, y, width, height;
    bool isDefault;
    const char* text;
};

constexpr DialogButton kButtons[] = {
    {1, 190, 160, 37, 14, true, "OK"},
    {2, 145, 160, 38, 14, false, "Cancel"},
};

void Button(ResourceWriter& dialog, const DialogButton& button)
{
    dialog.I16(button.id);
    dialog.U16(kPIDialogItemPushButton);
    dialog.I16(button.x);
    dialog.I16(button.y);
    dialog.I16(button.width);
    dialog.I16(button.height);
    dialog.U16(button.isDefault ? kPIDialogItemDefault : 0);
    dialog.LengthPrefixedText(button.text);
}

} // namespace

ResourceBytes BuildDialog()
{
    ResourceWriter dialog;
    dialog.U16(kDialogResourceVersion);
    dialog.I16(0); // x
    dialog.I16(0); // y
    dialog.I16(237);
    dialog.I16(181);
    dialog.U32(kPIDialogStyleModalFrame);
    dialog.LengthPrefixedText("Vendrel");
    dialog.LengthPrefixedText("MS Sans Serif");
    dialog.U16(8); // point size
    dialog.U16(uint16_t(std::size(kButtons)));
    for (const DialogButton& button : kButtons)
        Button(dialog, button);
    return dialog.Result();
}
