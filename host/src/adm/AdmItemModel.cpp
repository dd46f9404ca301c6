#include <algorithm>
#include <array>
#include <cstring>

#include "AdmLiveObjects.h"
#include "AdmModel.h"
#include "vendrel/dialogtext/EntryText.h"

namespace vendrel::adm {

AdmRect toAdmRect(const ADMRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

ADMRect toSdkRect(const AdmRect& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

ItemModel::ItemModel(DialogModel& owner, int32_t id, std::string typeName, const AdmRect& bounds)
    : dialog(owner), itemId(id), type(std::move(typeName)), rect(bounds)
{
    if (isType(kADMPopupListType))
        list_ = std::make_unique<ListModel>(*this);
    markLive(this, Kind::item);
}

ItemModel::~ItemModel()
{
    markDead(this);
}

ItemModel* ItemModel::fromRef(ADMItemRef ref)
{
    return liveModel<ItemModel>(ref, Kind::item);
}

bool ItemModel::isEditField() const
{
    return isType(kADMTextEditType);
}

bool ItemModel::isRadio() const
{
    return isType(kADMTextRadioButtonType);
}

bool ItemModel::isCheckBox() const
{
    return isType(kADMTextCheckBoxType);
}

bool ItemModel::isButton() const
{
    return isType(kADMTextPushButtonType) || isType(kADMPicturePushButtonType);
}

bool ItemModel::isUser() const
{
    return isType(kADMUserType);
}

// Limits set in either order keep a usable range: the later limit wins over an earlier one it contradicts.
void ItemModel::setIntValue(int32_t newValue)
{
    value = std::max(minimum, std::min(newValue, maximum));
}

void ItemModel::setMinValue(int32_t newMinimum)
{
    minimum = newMinimum;
    maximum = std::max(maximum, minimum);
    setIntValue(value);
}

void ItemModel::setMaxValue(int32_t newMaximum)
{
    maximum = newMaximum;
    minimum = std::min(minimum, maximum);
    setIntValue(value);
}

void ItemModel::setBooleanValue(bool on)
{
    boolValue = on;
    if (on && isRadio())
        dialog.turnOtherRadiosOff(*this);
}

ListModel* ItemModel::list()
{
    return list_.get();
}

void ItemModel::invalidate()
{
    ++invalidations;
    dialog.requestRedraw();
}

std::string ItemModel::valueText() const
{
    if (procs.floatToText) {
        std::array<char, 256> buffer{};
        ItemModel* self = const_cast<ItemModel*>(this);
        if (procs.floatToText(self->ref(), float(value), buffer.data(), int32(buffer.size())) &&
            isLive(self, Kind::item))
            return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
    }
    return formatNumber(float(value));
}

std::vector<std::string> ItemModel::popupEntries() const
{
    std::vector<std::string> texts;
    if (list_)
        for (int32_t i = 0; i < list_->count(); ++i)
            texts.push_back(list_->at(i)->text);
    return texts;
}

int ItemModel::activeEntryIndex() const
{
    return list_ ? list_->indexOf(list_->active()) : -1;
}

} // namespace vendrel::adm
