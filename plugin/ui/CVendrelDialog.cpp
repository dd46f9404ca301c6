#include "CVendrelDialog.h"

#include <array>
#include <cstring>
#include <variant>

#include "CADMColorSwatch.h"
#include "HostSuites.h"
#include "MakerInfo.h"
#include "MakerLogo.h"
#include "SettingsTable.h"

namespace {

const char kDialogName[] = "CVendrelDialog";
constexpr const SettingDefinition& kFillColor = SettingNamed("fillcolor");
constexpr const SettingDefinition& kFlagColor = SettingNamed("flagcolor");
constexpr const SettingDefinition& kPalette = SettingNamed("palette");
constexpr const SettingDefinition& kTolerance = SettingNamed("tolerance");
constexpr const SettingDefinition& kRandomColors = SettingNamed("randomcolors");
constexpr const SettingDefinition& kMeasureArea = SettingNamed("measurearea");
constexpr const SettingDefinition& kFlagAreas = SettingNamed("flagareas");
constexpr const SettingDefinition& kFlagSize = SettingNamed("flagsize");
constexpr const SettingDefinition& kJoinAreas = SettingNamed("joinareas");
constexpr const SettingDefinition& kJoinSize = SettingNamed("joinsize");

template <typename Channels> ADMRGBColor ToADMColor(const Channels& channels)
{
    return ADMRGBColor{channels[0], channels[1], channels[2]};
}

ADMRGBColor DefaultColor(const SettingDefinition& setting)
{
    return ToADMColor(std::get<ColorField>(setting.field).initial);
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

std::unique_ptr<IADMItem> CVendrelDialog::CreateField(const ADMRect& bounds, const SettingDefinition& setting,
                                                      int32 units, bool allowUnits)
{
    ADMItemRef item = CreateItem(kADMTextEditType, bounds);
    if (!item)
        return nullptr;
    // The entry field starts at the default, within the limits the table gives.
    const auto [minimum, maximum, initial] =
        std::visit(FieldVisitor{[]<typename Number>(const NumberField<Number>& number) {
                                    return std::array<int32, 3>{number.minimum, number.maximum, int32(number.initial)};
                                },
                                [](const auto&) { return std::array<int32, 3>{}; }},
                   setting.field);
    sADMItem->SetTipString(item, setting.tip);
    sADMItem->SetMinIntValue(item, minimum);
    sADMItem->SetMaxIntValue(item, maximum);
    sADMItem->SetIntValue(item, initial);
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
    fFillSwatch = CreateSwatch({140, 20, 168, 48}, kFillColor.tip, DefaultColor(kFillColor));
    fFlagSwatch = CreateSwatch({292, 142, 320, 170}, kFlagColor.tip, DefaultColor(kFlagColor));
    CreateLabel({20, 27, 130, 43}, kFillColor.label);
    CreateLabel({175, 27, 240, 43}, kTolerance.label);
    CreateLabel({76, 267, 156, 280}, kMakerWebDomain);
    CreateLabel({20, 59, 110, 75}, kPalette.label);
    CreateLabel({20, 175, 127, 191}, "Measure size by:");
    CreateLabel({230, 149, 270, 165}, kFlagColor.label);
    fLogoButton = CreateLogoButton();
    fToleranceField = CreateField({247, 24, 320, 44}, kTolerance, kADMNoUnits, false);
    fJoinSizeField = CreateField({140, 115, 220, 135}, kJoinSize, kADMPixelUnits, true);
    fFlagSizeField = CreateField({140, 147, 220, 167}, kFlagSize, kADMPixelUnits, true);
    CreateSeparator({20, 96, 320, 97});
    CreateSeparator({20, 220, 320, 221});
    fHeightWidthRadio = CreateButton(kADMTextRadioButtonType, {140, 197, 270, 211}, "Height & Width",
                                     "Select area's with x and y size smaller than selected size");
    fAreaRadio = CreateButton(kADMTextRadioButtonType, {140, 177, 270, 191}, kMeasureArea.label, kMeasureArea.tip);
    if (fAreaRadio)
        fAreaRadio->SetBooleanValue(true);
    if (fHeightWidthRadio)
        fHeightWidthRadio->SetBooleanValue(false);
    fJoinCheckBox = CreateButton(kADMTextCheckBoxType, {20, 115, 135, 135}, kJoinAreas.label, kJoinAreas.tip);
    fFlagCheckBox = CreateButton(kADMTextCheckBoxType, {20, 147, 135, 167}, kFlagAreas.label, kFlagAreas.tip);
    if (ADMItemRef popup = CreateItem(kADMPopupListType, {140, 56, 320, 76})) {
        sADMItem->SetTipString(popup, kPalette.tip);
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
    sADMEntry->SetText(randomEntry, kRandomColors.label);
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
