// The About box: the product text, the maker's logo linking to the maker's web site, and OK.
#pragma once

#include <memory>
#include <string>

#include "BaseADMDialog.h"
#include "IADMItem.h"

class CAboutBox : public BaseADMDialog {
public:
    CAboutBox(ADMPluginRef pluginRef, std::string text) : fPluginRef(pluginRef), fText(std::move(text)) {}
    ~CAboutBox() override;

    // True exactly when the box was closed with OK.
    bool Run(int32 dialogID);

    ASErr Init() override;
    void Notify(ADMNotifierRef notifier) override;

private:
    void CreateLogoButton();

    ADMPluginRef fPluginRef;
    std::string fText;
    std::unique_ptr<IADMItem> fLogoButton;
};

// The text the About box shows.
std::string AboutText();
