#include "CVendrelDialog.h"

#include <cstring>

#include "CADMColorSwatch.h"
#include "HostSuites.h"
#include "MakerInfo.h"
#include "MakerLogo.h"

namespace {

const char kDialogName[] = "CVendrelDialog";
const char kRandomColorsEntry[] = "Random Colors";
const ADMRGBColor kDefaultFillColor{0xFFFF, 0xFFFF, 0xFFFF};
const ADMRGBColor kDefaultFlagColor{0xFFFF, 0x0000, 0xFFFF};

ADMRGBColor ToADMColor(const uint16 channels[3])
{
    return ADMRGBColor{channels[0], channels[1], channels[2]};
}

void FromADMColor(const ADMRGBColor& color, uint16 channels[3])
{
    channels[0] = color.red;
    channels[1] = color.green;
    channels[2] = color.blue;
}

std::string StoredPaletteName(const CVendrelParams* params)
{
    if (!params)
        return std::string();
    return std::string(params->paletteFile, strnlen(params->paletteFile, kPaletteFileSize));
}

} // namespace

CVendrelDialog::~CVendrelDialog() = default;

void CVendrelDialog::AddPalette(const char* name)
{
    fPaletteNames.emplace_back(name ? name : "");
}

bool CVendrelDialog::Run()
{
    return Modal(fPluginRef, kDialogName, kVendrelDialogID, kADMModalDialogStyle, 0) == 1;
}

ASErr CVendrelDialog::Init()
{
    BaseADMDialog::Init();
    const ADMRect localRect{0, 0, 340, 300};
    sADMDialog->SetLocalRect(fDialog, &localRect);
    MoveButtons();
    CreateItems();
    FillPopup();
    if (fParams)
        LoadFromParams();
    ApplyEnableRules();
    return 0;
}

void CVendrelDialog::MoveButtons()
{
    const ADMRect okBounds{260, 260, 320, 280};
    const ADMRect cancelBounds{188, 260, 248, 280};
    if (ADMItemRef ok = sADMDialog->GetItem(fDialog, sADMDialog->GetDefaultItemID(fDialog)))
        sADMItem->SetBoundsRect(ok, &okBounds);
    if (ADMItemRef cancel = sADMDialog->GetItem(fDialog, sADMDialog->GetCancelItemID(fDialog)))
        sADMItem->SetBoundsRect(cancel, &cancelBounds);
}

ADMItemRef CVendrelDialog::CreateItem(const char* itemType, const ADMRect& bounds)
{
    // Item id 0 asks the host for a unique id.
    return sADMDialog->CreateItem(fDialog, 0, itemType, &bounds, nullptr, nullptr, 0);
}

void CVendrelDialog::CreateLabel(const ADMRect& bounds, const char* text)
{
    if (ADMItemRef label = CreateItem(kADMTextStaticType, bounds))
        sADMItem->SetText(label, text);
}

void CVendrelDialog::CreateSeparator(const ADMRect& bounds)
{
    if (ADMItemRef line = CreateItem(kADMFrameType, bounds))
        sADMItem->SetItemStyle(line, kADMEtchedFrameStyle);
}

CADMColorSwatch* CVendrelDialog::CreateSwatch(const ADMRect& bounds, const char* tip, ADMRGBColor color)
{
    ADMItemRef item = CreateItem(kADMUserType, bounds);
    if (!item)
        return nullptr;
    auto* swatch = new CADMColorSwatch(item);
    sADMItem->SetTipString(item, tip);
    swatch->color = color;
    return swatch;
}

std::unique_ptr<IADMItem> CVendrelDialog::CreateLogoButton()
{
    ADMItemRef item = CreateMakerLogoButton(fDialog, {20, 232, 68, 280});
    if (!item)
        return nullptr;
    return std::make_unique<IADMItem>(item);
}

std::unique_ptr<IADMItem> CVendrelDialog::CreateField(const ADMRect& bounds, const char* tip, int32 maximum,
                                                      int32 value, int32 units, bool allowUnits)
{
    ADMItemRef item = CreateItem(kADMTextEditType, bounds);
    if (!item)
        return nullptr;
    sADMItem->SetTipString(item, tip);
    sADMItem->SetMinIntValue(item, 0);
    sADMItem->SetMaxIntValue(item, maximum);
    sADMItem->SetIntValue(item, value);
    sADMItem->SetUnits(item, units);
    sADMItem->SetAllowUnits(item, allowUnits);
    return std::make_unique<IADMItem>(item);
}

std::unique_ptr<IADMItem> CVendrelDialog::CreateButton(const char* itemType, const ADMRect& bounds, const char* text,
                                                       const char* tip)
{
    ADMItemRef item = CreateItem(itemType, bounds);
    if (!item)
        return nullptr;
    sADMItem->SetText(item, text);
    if (tip)
        sADMItem->SetTipString(item, tip);
    return std::make_unique<IADMItem>(item);
}

void CVendrelDialog::CreateItems()
{
    fFillSwatch = CreateSwatch({140, 20, 168, 48}, "Select color to replace with Vendrel", kDefaultFillColor);
    fFlagSwatch = CreateSwatch({292, 142, 320, 170}, "Select color for flagged area's", kDefaultFlagColor);
    CreateLabel({20, 27, 130, 43}, "Vendreled Color:");
    CreateLabel({175, 27, 240, 43}, "Tolerance:");
    CreateLabel({76, 267, 156, 280}, kMakerWebDomain);
    CreateLabel({20, 59, 110, 75}, "Color Palette:");
    CreateLabel({20, 175, 127, 191}, "Measure size by:");
    CreateLabel({230, 149, 270, 165}, "Color:");
    fLogoButton = CreateLogoButton();
    fToleranceField = CreateField({247, 24, 320, 44}, "Increase Tolerance if Vendrel does not find the desired area's.",
                                  100, 0, kADMNoUnits, false);
    fJoinSizeField = CreateField({140, 115, 220, 135},
                                 "Area's up to this size will be joined in the same color as the nearest normal area",
                                 10000, 10, kADMPixelUnits, true);
    fFlagSizeField = CreateField({140, 147, 220, 167}, "Flag area size in pixels", 10000, 20, kADMPixelUnits, true);
    CreateSeparator({20, 96, 320, 97});
    CreateSeparator({20, 220, 320, 221});
    fHeightWidthRadio = CreateButton(kADMTextRadioButtonType, {140, 197, 270, 211}, "Height & Width",
                                     "Select area's with x and y size smaller than selected size");
    fAreaRadio = CreateButton(kADMTextRadioButtonType, {140, 177, 270, 191}, "Area",
                              "Select area's with pixel count smaller than selected size");
    if (fAreaRadio)
        fAreaRadio->SetBooleanValue(true);
    if (fHeightWidthRadio)
        fHeightWidthRadio->SetBooleanValue(false);
    fJoinCheckBox = CreateButton(kADMTextCheckBoxType, {20, 115, 135, 135}, "Join Areas <=", nullptr);
    fFlagCheckBox = CreateButton(kADMTextCheckBoxType, {20, 147, 135, 167}, "Flag Areas <=", nullptr);
    if (ADMItemRef popup = CreateItem(kADMPopupListType, {140, 56, 320, 76})) {
        sADMItem->SetTipString(popup, "Select color pallete used for filling");
        fPopup = std::make_unique<IADMItem>(popup);
        fPopupList = std::make_unique<IADMList>(sADMItem->GetList(popup));
    }
}

void CVendrelDialog::FillPopup()
{
    if (!fPopupList || !fPopupList->GetListRef())
        return;
    ADMListRef list = fPopupList->GetListRef();
    const std::string stored = StoredPaletteName(fParams);
    const bool random = fParams && fParams->randomColors;
    const int32 count = static_cast<int32>(fPaletteNames.size());
    // The popup holds one chosen entry, so the last selection made here wins.
    for (int32 i = 0; i < count; ++i) {
        ADMEntryRef entry = sADMList->InsertEntry(list, i);
        sADMEntry->SetID(entry, i);
        sADMEntry->SetText(entry, fPaletteNames[i].c_str());
        if (i == 0 || fPaletteNames[i] == stored)
            sADMEntry->Select(entry, true);
    }
    ADMEntryRef randomEntry = sADMList->InsertEntry(list, count);
    sADMEntry->SetID(randomEntry, count);
    sADMEntry->SetText(randomEntry, kRandomColorsEntry);
    if (count == 0 || random)
        sADMEntry->Select(randomEntry, true);
    sADMItem->Invalidate(fPopup->GetItemRef());
}

void CVendrelDialog::LoadFromParams()
{
    if (fFillSwatch)
        fFillSwatch->color = ToADMColor(fParams->fillColor);
    if (fFlagSwatch)
        fFlagSwatch->color = ToADMColor(fParams->flagColor);
    if (fToleranceField)
        sADMItem->SetIntValue(fToleranceField->GetItemRef(), static_cast<uint16>(fParams->tolerance));
    if (fAreaRadio)
        fAreaRadio->SetBooleanValue(fParams->measureArea);
    if (fHeightWidthRadio)
        fHeightWidthRadio->SetBooleanValue(!fParams->measureArea);
    if (fFlagCheckBox)
        fFlagCheckBox->SetBooleanValue(fParams->flagAreas);
    if (fFlagSizeField)
        sADMItem->SetIntValue(fFlagSizeField->GetItemRef(), fParams->flagSize);
    if (fJoinCheckBox)
        fJoinCheckBox->SetBooleanValue(fParams->joinAreas);
    if (fJoinSizeField)
        sADMItem->SetIntValue(fJoinSizeField->GetItemRef(), fParams->joinSize);
}

void CVendrelDialog::ApplyEnableRules()
{
    if (!fJoinCheckBox || !fFlagCheckBox || !fAreaRadio || !fHeightWidthRadio || !fJoinSizeField || !fFlagSizeField)
        return;
    const bool join = fJoinCheckBox->GetBooleanValue();
    const bool flag = fFlagCheckBox->GetBooleanValue();
    fAreaRadio->Enable(join || flag);
    fHeightWidthRadio->Enable(join || flag);
    fJoinSizeField->Enable(join);
    fFlagSizeField->Enable(flag);
    if (fFlagSwatch)
        fFlagSwatch->Enable(flag);
    if (fFillSwatch)
        fFillSwatch->Enable(true);
    if (fToleranceField)
        fToleranceField->Enable(true);
    if (fPopup)
        fPopup->Enable(true);
}

bool CVendrelDialog::IsSender(const std::unique_ptr<IADMItem>& handle, int32 senderID) const
{
    return handle && handle->GetItemRef() && handle->GetID() == senderID;
}

void CVendrelDialog::Notify(ADMNotifierRef notifier)
{
    BaseADMDialog::Notify(notifier);
    ADMItemRef sender = sADMNotifier->GetItem(notifier);
    if (sender && sADMNotifier->IsNotifierType(notifier, kADMUserChangedNotifier)) {
        const int32 senderID = sADMItem->GetID(sender);
        if (IsSender(fJoinCheckBox, senderID) || IsSender(fFlagCheckBox, senderID))
            ApplyEnableRules();
        else if (IsSender(fLogoButton, senderID))
            OpenMakerWebSite();
    }
    if (fParams && sADMNotifier->IsNotifierType(notifier, kADMDeactivateWindowNotifier))
        StoreToParams();
}

void CVendrelDialog::StoreToParams()
{
    if (fFillSwatch)
        FromADMColor(fFillSwatch->color, fParams->fillColor);
    if (fFlagSwatch)
        FromADMColor(fFlagSwatch->color, fParams->flagColor);
    if (fToleranceField)
        fParams->tolerance = static_cast<uint16>(fToleranceField->GetIntValue());
    if (fAreaRadio)
        fParams->measureArea = fAreaRadio->GetBooleanValue();
    if (fFlagCheckBox)
        fParams->flagAreas = fFlagCheckBox->GetBooleanValue();
    if (fFlagSizeField)
        fParams->flagSize = fFlagSizeField->GetIntValue();
    if (fJoinCheckBox)
        fParams->joinAreas = fJoinCheckBox->GetBooleanValue();
    if (fJoinSizeField)
        fParams->joinSize = fJoinSizeField->GetIntValue();
    StorePaletteChoice();
}

void CVendrelDialog::StorePaletteChoice()
{
    if (!fPopupList || !fPopupList->GetListRef())
        return;
    ADMEntryRef active = sADMList->GetActiveEntry(fPopupList->GetListRef());
    // Without an active entry the choice reads as the last one, "Random Colors".
    const uint32 id = active ? static_cast<uint32>(sADMEntry->GetID(active)) : uint32(fPaletteNames.size());
    if (id >= fPaletteNames.size()) {
        fParams->randomColors = true;
        return;
    }
    fParams->randomColors = false;
    fParams->SetPaletteFile(fPaletteNames[id].c_str());
}
