// The frame a dialog is built on: caption, font, size and push buttons, as the module's dialog resource gives
// them (sizes there are dialog units of the dialog font; here pixels).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ADMTypes.h"

namespace owndm {

struct FrameButton {
    int32 id = 0;
    ADMRect bounds{}; // pixels
    bool isDefault = false;
    std::string text;
};

struct DialogFrame {
    std::string caption;
    std::string fontName;
    int32 pointSize = 8;
    ADMRect bounds{}; // (0, 0, width, height) in pixels
    std::vector<FrameButton> buttons;
};

// Dialog units of the dialog font (MS Sans Serif 8 pt at 96 pixels per inch) to pixels, and back.
int32 DialogUnitsToPixelsX(int32 units);
int32 DialogUnitsToPixelsY(int32 units);
int32 PixelsToDialogUnitsX(int32 pixels);
int32 PixelsToDialogUnitsY(int32 pixels);

// The frame a dialog resource describes; nothing when the bytes are not a well-formed dialog resource.
std::optional<DialogFrame> ParseDialogFrame(const uint8* bytes, size_t size);

// A 300 x 200 frame with OK (1, the default) and Cancel (2), for a dialog the module has no resource for.
DialogFrame DefaultDialogFrame();

} // namespace owndm
