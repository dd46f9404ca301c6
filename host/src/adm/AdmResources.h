// The module resources the dialog manager reads: dialog frames with their push buttons ("DLOG") and
// pictures ("BMP ").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vendrel/host/AdmDialog.h"

namespace vendrel {
class PluginModule;
}

namespace vendrel::adm {

struct DialogButton {
    int32_t id = 0;
    AdmRect bounds; // pixels
    bool isDefault = false;
    std::string text;
};

struct DialogLayout {
    std::string caption;
    std::string fontName;
    int32_t pointSize = 8;
    AdmRect frame; // (0, 0, width, height) in pixels
    std::vector<DialogButton> buttons;
};

// Dialog units of the dialog font (MS Sans Serif 8 pt) to pixels.
int32_t dialogUnitsToPixelsX(int32_t units);
int32_t dialogUnitsToPixelsY(int32_t units);

// The layout a dialog resource describes; nothing when the bytes are not a well-formed dialog resource.
std::optional<DialogLayout> parseDialogResource(const std::vector<uint8_t>& bytes);

// A 300 x 200 frame with OK (1, the default) and Cancel (2): for dialogs the module has no resource for.
DialogLayout defaultDialogLayout();

// The layout of dialog `id` of the module, or the default layout when the module has none (or no module).
DialogLayout dialogLayoutFor(const PluginModule* module, int32_t id);

struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb; // rows from the top
};

// A 24-bit uncompressed device-independent bitmap (header, then rows bottom-up unless the height is
// negative); nothing for any other or malformed bitmap.
std::optional<Picture> decodeBitmapResource(const std::vector<uint8_t>& bytes);

// Picture `id` of the module, when it has one that decodes.
std::optional<Picture> pictureFor(const PluginModule* module, int32_t id);

} // namespace vendrel::adm
