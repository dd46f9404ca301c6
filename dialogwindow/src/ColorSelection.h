// The host's colour picker outside GIMP: GTK's colour selection dialog.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace vendrel::dialogwindow {

// The user's 8-bit RGB choice, the dialog opened on `start` (also shown as the previous colour); nothing when
// cancelled or closed.
std::optional<std::array<uint8_t, 3>> pickColorWithGtk(std::array<uint8_t, 3> start);

} // namespace vendrel::dialogwindow
