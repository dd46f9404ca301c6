// The user's application-data folder, where the preferences file lives.
#pragma once

#include <string>

// The folder path with a separator appended, the folder created when it is missing; empty when the system
// cannot name one. On Linux this is the XDG configuration folder: $XDG_CONFIG_HOME when set and not empty,
// else $HOME/.config; on Windows the user's roaming application-data folder.
std::string GetAppDataFolder();

// The preferences file's name inside that folder.
inline constexpr const char* kPrefsFileName = "Vendrel Prefs";
