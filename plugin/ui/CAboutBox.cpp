#include "CAboutBox.h"

#include "HostSuites.h"
#include "MakerInfo.h"
#include "MakerLogo.h"

namespace {

const char kDialogName[] = "CAboutBox";

ADMItemRef CreatePlainItem(ADMDialogRef dialog, const char* itemType, const ADMRect& bounds)
{
    return sADMDialog->CreateItem(dialog, 0, itemType, &bounds, nullptr, nullptr, 0);
}

} // namespace

std::string AboutText()
{
    // 0xA8 is the registered-trademark sign in the Mac OS Roman character set.
    return std::string("Vendrel") + "\nA multi flood filter for Adobe Photoshop" + "\xA8" + ".\n\n" +
           "v1.5.0\nApril 2013\n\n" + kMakerRightsNotice;
}

CAboutBox::~CAboutBox() = default;

bool CAboutBox::Run(int32 dialogID)
{
    return Modal(fPluginRef, kDialogName, dialogID, kADMModalDialogStyle, 0) == 1;
}

ASErr CAboutBox::Init()
{
    BaseADMDialog::Init();
    const ADMRect localRect{0, 0, 440, 230};
    sADMDialog->SetLocalRect(fDialog, &localRect);
    // The cancel item stays where the resource puts it, below the box, so only OK shows.
    const ADMRect okBounds{360, 190, 420, 210};
    if (ADMItemRef ok = sADMDialog->GetItem(fDialog, sADMDialog->GetDefaultItemID(fDialog)))
        sADMItem->SetBoundsRect(ok, &okBounds);
    if (ADMItemRef text = CreatePlainItem(fDialog, kADMTextStaticType, {20, 20, 420, 162}))
        sADMItem->SetText(text, fText.c_str());
    if (ADMItemRef domain = CreatePlainItem(fDialog, kADMTextStaticType, {76, 197, 156, 210}))
        sADMItem->SetText(domain, kMakerWebDomain);
    CreateLogoButton();
    return 0;
}

void CAboutBox::CreateLogoButton()
{
    if (ADMItemRef logo = CreateMakerLogoButton(fDialog, {20, 162, 68, 210}))
        fLogoButton = std::make_unique<IADMItem>(logo);
}

void CAboutBox::Notify(ADMNotifierRef notifier)
{
    BaseADMDialog::Notify(notifier);
    if (!fLogoButton || !sADMNotifier->IsNotifierType(notifier, kADMUserChangedNotifier))
        return;
    ADMItemRef sender = sADMNotifier->GetItem(notifier);
    if (sender && sADMItem->GetID(sender) == fLogoButton->GetID())
        OpenMakerWebSite();
}
