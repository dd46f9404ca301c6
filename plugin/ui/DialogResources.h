// Resource ids of the dialogs: the dialog frame with its OK and Cancel buttons, and the maker's logo.
#pragma once

#include "PITypes.h"

inline constexpr int32 kVendrelDialogID = 16001;
inline constexpr int32 kLogoPictureID = 16009;
