// The system's colour chooser, for hosts that offer no colour picker of their own.
#include <windows.h>

#include <commdlg.h>

#include "OwnDialogManager.h"

namespace {

// The chooser's sixteen custom colours, kept for the module's lifetime as the chooser expects.
COLORREF gCustomColors[16] = {};

} // namespace

bool PickSystemColor(uint8 rgb[3])
{
    try {
        if (!rgb)
            return false;
        CHOOSECOLORW choice{};
        choice.lStructSize = sizeof choice;
        choice.hwndOwner = GetActiveWindow();
        choice.rgbResult = RGB(rgb[0], rgb[1], rgb[2]);
        choice.lpCustColors = gCustomColors;
        choice.Flags = CC_RGBINIT | CC_FULLOPEN;
        if (!ChooseColorW(&choice))
            return false;
        rgb[0] = GetRValue(choice.rgbResult);
        rgb[1] = GetGValue(choice.rgbResult);
        rgb[2] = GetBValue(choice.rgbResult);
        return true;
    } catch (...) {
        return false;
    }
}
