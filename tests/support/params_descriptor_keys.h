// The descriptor keys and the colour class under which the filter records its settings, written out here
// independently of the plug-in's own constants so that the tests check them.
#pragma once

#include "PITypes.h"

namespace vendrel::test {

inline constexpr DescriptorKeyID kFlagColor = PIFourCC("Clr ");
inline constexpr DescriptorKeyID kFillColor = PIFourCC("BckC");
inline constexpr DescriptorKeyID kPalette = PIFourCC("PltF");
inline constexpr DescriptorKeyID kTolerance = PIFourCC("Tlrn");
inline constexpr DescriptorKeyID kRandom = PIFourCC("RanD");
inline constexpr DescriptorKeyID kMeasure = PIFourCC("Ar  ");
inline constexpr DescriptorKeyID kFlagAreas = PIFourCC("FlaG");
inline constexpr DescriptorKeyID kJoinAreas = PIFourCC("JoiN");
inline constexpr DescriptorKeyID kFlagSize = PIFourCC("FlgS");
inline constexpr DescriptorKeyID kJoinSize = PIFourCC("JinS");
inline constexpr DescriptorKeyID kRed = PIFourCC("Rd  ");
inline constexpr DescriptorKeyID kGreen = PIFourCC("Grn ");
inline constexpr DescriptorKeyID kBlue = PIFourCC("Bl  ");
inline constexpr DescType kRGBC = PIFourCC("RGBC");

} // namespace vendrel::test
