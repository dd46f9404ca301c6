// The main dialog: every option of the filter, loaded from a settings record and stored back into it each time
// the dialog's window loses activation (which includes its closing).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "BaseADMDialog.h"
#include "DialogResources.h"
#include "IADMItem.h"
#include "IADMList.h"
#include "VendrelParams.h"

class CADMColorSwatch;
struct SettingDefinition;

class CVendrelDialog : public BaseADMDialog {
public:
    explicit CVendrelDialog(ADMPluginRef pluginRef) : fPluginRef(pluginRef) {}
    ~CVendrelDialog() override;

    // The record the dialog loads from and stores into; not owned.
    void SetParams(CVendrelParams* params) { fParams = params; }
    // Offers one more swatch file name in the palette popup, after those added before.
    void AddPalette(const char* name);
    // True exactly when the user ended the dialog with OK.
    bool Run();

    ASErr Init() override;
    void Notify(ADMNotifierRef notifier) override;

private:
    void MoveButtons();
    ADMItemRef CreateItem(const char* itemType, const ADMRect& bounds);
    void CreateLabel(const ADMRect& bounds, const char* text);
    void CreateSeparator(const ADMRect& bounds);
    CADMColorSwatch* CreateSwatch(const ADMRect& bounds, const char* tip, ADMRGBColor color);
    std::unique_ptr<IADMItem> CreateLogoButton();
    std::unique_ptr<IADMItem> CreateField(const ADMRect& bounds, const SettingDefinition& setting, int32 units,
                                          bool allowUnits);
    std::unique_ptr<IADMItem> CreateButton(const char* itemType, const ADMRect& bounds, const char* text,
                                           const char* tip);
    void CreateItems();
    void FillPopup();
    void LoadFromParams();
    void ApplyEnableRules();
    bool IsSender(const std::unique_ptr<IADMItem>& handle, int32 senderID) const;
    void StoreToParams();
    void StorePaletteChoice();

    std::vector<std::string> fPaletteNames;
    ADMPluginRef fPluginRef;
    std::unique_ptr<IADMItem> fPopup;
    std::unique_ptr<IADMList> fPopupList;
    std::unique_ptr<IADMItem> fToleranceField;
    std::unique_ptr<IADMItem> fJoinSizeField;
    std::unique_ptr<IADMItem> fFlagSizeField;
    CADMColorSwatch* fFlagSwatch = nullptr; // owned by its host item
    CADMColorSwatch* fFillSwatch = nullptr; // owned by its host item
    std::unique_ptr<IADMItem> fJoinCheckBox;
    std::unique_ptr<IADMItem> fFlagCheckBox;
    std::unique_ptr<IADMItem> fHeightWidthRadio;
    std::unique_ptr<IADMItem> fAreaRadio;
    std::unique_ptr<IADMItem> fLogoButton;
    CVendrelParams* fParams = nullptr;
};
