#include "MakerLogo.h"

#include <string>

#include "DialogResources.h"
#include "HostSuites.h"
#include "MakerInfo.h"

ADMItemRef CreateMakerLogoButton(ADMDialogRef dialog, const ADMRect& bounds)
{
    ADMItemRef logo = sADMDialog->CreateItem(dialog, 0, kADMPicturePushButtonType, &bounds, nullptr, nullptr, 0);
    if (!logo)
        return nullptr;
    const std::string tip = std::string("Go to ") + kMakerWebDomain;
    sADMItem->SetTipString(logo, tip.c_str());
    sADMItem->SetPictureID(logo, kLogoPictureID, nullptr);
    return logo;
}

void OpenMakerWebSite()
{
    if (sPSGetFileList && sPSGetFileList->BrowseUrl)
        sPSGetFileList->BrowseUrl(kMakerWebAddress);
}
