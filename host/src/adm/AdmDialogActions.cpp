// The user's actions on a dialog, as a front end performs them: each goes through the same callbacks and
// notifications as a click or a keystroke would.
#include <cmath>

#include "AdmDrawer.h"
#include "AdmEvents.h"
#include "AdmLiveObjects.h"
#include "AdmModel.h"
#include "vendrel/dialogtext/EntryText.h"

namespace vendrel::adm {

namespace {

std::optional<float> textToNumber(ItemModel& field, const std::string& text)
{
    if (!field.procs.textToFloat)
        return parseNumber(text, field.unitsAllowed);
    float value = 0;
    if (!field.procs.textToFloat(field.ref(), text.c_str(), &value) || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Button down, then button up, each when the item's action mask asks for it; the item changed when its
// track callback answered true to either.
bool trackClick(ItemModel& item)
{
    bool changed = false;
    if (item.actionMask & kADMButtonDownMask)
        changed = trackItem(item, kADMButtonDownAction) || changed;
    if (isLive(&item, Kind::item) && (item.actionMask & kADMButtonUpMask))
        changed = trackItem(item, kADMButtonUpAction) || changed;
    return changed && isLive(&item, Kind::item);
}

} // namespace

bool DialogModel::click(AdmItem& target)
{
    ItemModel* item = own(target);
    if (!item || !item->isEnabled || hasEnded)
        return false;
    if (item->isCheckBox())
        item->setBooleanValue(!item->boolValue);
    else if (item->isRadio())
        item->setBooleanValue(true);
    else if (item->isUser()) {
        if (trackClick(*item))
            notifyFromItem(*item, kADMUserChangedNotifier);
        return true;
    } else if (!item->isButton())
        return false;
    notifyFromItem(*item, kADMUserChangedNotifier);
    return true;
}

bool DialogModel::typeText(AdmItem& target, const std::string& text)
{
    ItemModel* field = own(target);
    if (!field || !field->isEnabled || !field->isEditField() || hasEnded)
        return false;
    const std::optional<float> number = textToNumber(*field, text);
    if (!number || !isLive(field, Kind::item))
        return false;
    field->setIntValue(roundedToInt32(*number));
    notifyFromItem(*field, kADMUserChangedNotifier);
    return true;
}

bool DialogModel::choosePopupEntry(AdmItem& target, int index)
{
    ItemModel* popup = own(target);
    if (!popup || !popup->isEnabled || !popup->list() || hasEnded)
        return false;
    EntryModel* entry = popup->list()->at(index);
    if (!entry)
        return false;
    popup->list()->select(*entry, true);
    notifyFromItem(*popup, kADMUserChangedNotifier);
    return true;
}

bool DialogModel::choosePopupEntry(AdmItem& target, const std::string& entryText)
{
    ItemModel* popup = own(target);
    if (!popup || !popup->list())
        return false;
    const std::vector<std::string> texts = popup->popupEntries();
    for (size_t i = 0; i < texts.size(); ++i)
        if (texts[i] == entryText)
            return choosePopupEntry(target, int(i));
    return false;
}

namespace {

// OK and Cancel are clicks on the dialog's default and cancel items; a dialog without such an item ends
// with the id directly.
bool pressItem(DialogModel& dialog, int32_t id)
{
    if (dialog.hasEnded)
        return false;
    ItemModel* item = dialog.item(id);
    if (!item) {
        dialog.end(id);
        return true;
    }
    if (!item->isEnabled)
        return false;
    notifyFromItem(*item, kADMUserChangedNotifier);
    return true;
}

} // namespace

bool DialogModel::pressOK()
{
    return pressItem(*this, defaultId);
}

bool DialogModel::pressCancel()
{
    return pressItem(*this, cancelId);
}

std::vector<AdmDrawOp> DialogModel::recordDrawing(AdmItem& target)
{
    std::vector<AdmDrawOp> operations;
    ItemModel* item = own(target);
    if (!item || !item->procs.draw)
        return operations;
    DrawerModel drawer(operations, {0, 0, item->rect.width(), item->rect.height()});
    ScopedLive live(&drawer, Kind::drawer);
    item->procs.draw(item->ref(), drawer.ref());
    return operations;
}

} // namespace vendrel::adm
