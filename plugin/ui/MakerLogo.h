// The maker's logo button that both dialogs show: the logo picture, whose click opens the maker's web site.
#pragma once

#include "ADMSuites.h"

// Creates the logo button at bounds in dialog (the host picks its id); null when the host made no item.
ADMItemRef CreateMakerLogoButton(ADMDialogRef dialog, const ADMRect& bounds);

// Opens the maker's web site through the host's browser service; does nothing when the host has none.
void OpenMakerWebSite();
