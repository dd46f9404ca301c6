// The host's colour picker inside GIMP: a modal dialog holding GIMP's colour selector.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace vendrel::gimp {

// The user's 8-bit RGB choice, starting from `start`; nothing when cancelled.
std::optional<std::array<uint8_t, 3>> pickColorWithGimp(std::array<uint8_t, 3> start);

} // namespace vendrel::gimp
