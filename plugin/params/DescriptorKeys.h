// The scripting descriptor's keys and classes under which the settings are recorded.
#pragma once

#include "PIActions.h"

inline constexpr DescriptorKeyID keyFlagColor = PIFourCC("Clr ");
inline constexpr DescriptorKeyID keyFillColor = PIFourCC("BckC");
inline constexpr DescriptorKeyID keyPaletteFile = PIFourCC("PltF");
inline constexpr DescriptorKeyID keyTolerance = PIFourCC("Tlrn");
inline constexpr DescriptorKeyID keyRandomColors = PIFourCC("RanD");
inline constexpr DescriptorKeyID keyMeasureArea = PIFourCC("Ar  ");
inline constexpr DescriptorKeyID keyFlagAreas = PIFourCC("FlaG");
inline constexpr DescriptorKeyID keyJoinAreas = PIFourCC("JoiN");
inline constexpr DescriptorKeyID keyFlagSize = PIFourCC("FlgS");
inline constexpr DescriptorKeyID keyJoinSize = PIFourCC("JinS");

// The components of a colour object.
inline constexpr DescriptorKeyID keyRed = PIFourCC("Rd  ");
inline constexpr DescriptorKeyID keyGreen = PIFourCC("Grn ");
inline constexpr DescriptorKeyID keyBlue = PIFourCC("Bl  ");

// Colour objects are recorded in the class classRGBColor of the host interface.
