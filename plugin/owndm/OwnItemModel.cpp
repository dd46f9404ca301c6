#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "OwnLiveObjects.h"
#include "OwnModel.h"
#include "vendrel/dialogtext/EntryText.h"

namespace owndm {

ItemKind KindOfType(const std::string& typeName)
{
    static const std::pair<const char*, ItemKind> kKinds[] = {
        {kADMUserType, ItemKind::user},
        {kADMTextStaticType, ItemKind::textStatic},
        {kADMTextEditType, ItemKind::textEdit},
        {kADMTextCheckBoxType, ItemKind::checkBox},
        {kADMTextRadioButtonType, ItemKind::radioButton},
        {kADMPopupListType, ItemKind::popupList},
        {kADMFrameType, ItemKind::frame},
        {kADMPicturePushButtonType, ItemKind::picturePushButton},
        {kADMTextPushButtonType, ItemKind::textPushButton},
    };
    for (const auto& [name, kind] : kKinds)
        if (typeName == name)
            return kind;
    return ItemKind::unknown;
}

ItemModel::ItemModel(DialogModel& owner, int32 itemID, std::string typeName, const ADMRect& itemBounds)
    : dialog(owner), id(itemID), type(std::move(typeName)), kind(KindOfType(type)), bounds(itemBounds)
{
    if (kind == ItemKind::popupList)
        fList = std::make_unique<ListModel>(*this);
    MarkLive(this, Kind::item);
}

ItemModel::~ItemModel()
{
    fList.reset();
    MarkDead(this);
}

ItemModel* ItemModel::FromRef(ADMItemRef ref)
{
    return LiveObject<ItemModel>(ref, Kind::item);
}

// Limits set in either order keep a usable range: the later limit wins over an earlier one it contradicts.
void ItemModel::SetIntValue(int32 newValue)
{
    value = std::max(minimum, std::min(newValue, maximum));
    Changed();
}

void ItemModel::SetMinValue(int32 newMinimum)
{
    minimum = newMinimum;
    maximum = std::max(maximum, minimum);
    SetIntValue(value);
}

void ItemModel::SetMaxValue(int32 newMaximum)
{
    maximum = newMaximum;
    minimum = std::min(minimum, maximum);
    SetIntValue(value);
}

void ItemModel::SetBooleanValue(bool on)
{
    boolValue = on;
    if (on && kind == ItemKind::radioButton)
        dialog.TurnOtherRadiosOff(*this);
    Changed();
}

void ItemModel::SetEnabled(bool on)
{
    enabled = on;
    Changed();
}

void ItemModel::SetBounds(const ADMRect& newBounds)
{
    bounds = newBounds;
    Changed();
}

void ItemModel::SetText(const std::string& newText)
{
    text = newText;
    Changed();
}

std::optional<float> ItemModel::NumberOfText(const std::string& fieldText)
{
    if (!procs.textToFloat)
        return vendrel::parseNumber(fieldText, allowUnits);
    float number = 0;
    ItemModel* const self = this;
    if (!procs.textToFloat(Ref(), fieldText.c_str(), &number) || !IsLive(self, Kind::item) || !std::isfinite(number))
        return std::nullopt;
    return number;
}

std::string ItemModel::ValueText()
{
    if (procs.floatToText) {
        std::array<char, 256> buffer{};
        ItemModel* const self = this;
        if (procs.floatToText(Ref(), float(value), buffer.data(), int32(buffer.size())) && IsLive(self, Kind::item))
            return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
    }
    return vendrel::formatNumber(float(value));
}

void ItemModel::Changed()
{
    if (DialogView* view = dialog.View(); view && !destroying)
        view->ItemChanged(*this);
}

void ItemModel::Invalidate()
{
    if (DialogView* view = dialog.View(); view && !destroying)
        view->ItemInvalidated(*this);
}

} // namespace owndm
