// The scripting descriptor's keys and classes under which the settings are recorded.
#pragma once

#include <array>

#include "PIActions.h"
#include "SettingsTable.h"

constexpr DescriptorKeyID SettingKey(const SettingDefinition& setting)
{
    return PIFourCC(setting.key);
}

// The keys of every scripted setting in terminology order, closed by 0: the list the reader hands the host.
constexpr std::array<DescriptorKeyID, kScriptedCount + 1> SettingKeys()
{
    std::array<DescriptorKeyID, kScriptedCount + 1> keys{};
    for (size_t i = 0; i < kScriptedCount; ++i)
        keys[i] = SettingKey(*kTerminologyOrder[i]);
    return keys;
}

// The components of a colour object.
inline constexpr DescriptorKeyID keyRed = PIFourCC("Rd  ");
inline constexpr DescriptorKeyID keyGreen = PIFourCC("Grn ");
inline constexpr DescriptorKeyID keyBlue = PIFourCC("Bl  ");

// Colour objects are recorded in the class classRGBColor of the host interface.
