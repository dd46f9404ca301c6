// An in-memory dialog template for a dialog with no controls: its style, caption, font and size in dialog
// units. The dialog's controls are made afterwards, in pixels.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace owndm {

struct TemplateFrame {
    std::wstring caption;
    std::wstring fontName;
    WORD pointSize = 8;
    short width = 0; // dialog units
    short height = 0;
};

// The template's words; the first is DWORD-aligned, as DialogBoxIndirectParamW wants.
std::vector<WORD> BuildDialogTemplate(const TemplateFrame& frame);

} // namespace owndm
