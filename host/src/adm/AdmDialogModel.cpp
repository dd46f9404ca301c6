#include <algorithm>

#include "AdmLiveObjects.h"
#include "AdmModel.h"

namespace vendrel::adm {

DialogModel::DialogModel(std::string name, int32_t resource, const PluginModule* owningModule)
    : dialogName(std::move(name)), dialogId(resource), module(owningModule)
{
    markLive(this, Kind::dialog);
}

DialogModel::~DialogModel()
{
    items_.clear();
    markDead(this);
}

DialogModel* DialogModel::fromRef(ADMDialogRef ref)
{
    return liveModel<DialogModel>(ref, Kind::dialog);
}

int32_t DialogModel::freshId() const
{
    int32_t highest = std::max(defaultId, cancelId);
    for (const auto& owned : items_)
        highest = std::max(highest, owned->itemId);
    return highest + 1;
}

ItemModel& DialogModel::addItem(int32_t requestedId, const std::string& type, const AdmRect& bounds)
{
    const int32_t id = (requestedId == 0 || item(requestedId)) ? freshId() : requestedId;
    items_.push_back(std::make_unique<ItemModel>(*this, id, type, bounds));
    return *items_.back();
}

void DialogModel::destroyItem(ItemModel& doomed)
{
    if (doomed.destroying)
        return;
    doomed.destroying = true;
    ItemModel* const address = &doomed;
    if (doomed.procs.destroy)
        doomed.procs.destroy(doomed.ref());
    // The callback may have torn the whole dialog down; only an item still live is ours to free.
    if (!isLive(address, Kind::item))
        return;
    const auto found =
        std::find_if(items_.begin(), items_.end(), [&](const auto& owned) { return owned.get() == address; });
    if (found != items_.end())
        items_.erase(found);
}

void DialogModel::destroyAllItems()
{
    std::vector<ItemModel*> inOrder;
    for (const auto& owned : items_)
        inOrder.push_back(owned.get());
    for (ItemModel* doomed : inOrder)
        if (isLive(doomed, Kind::item))
            destroyItem(*doomed);
}

void DialogModel::turnOtherRadiosOff(const ItemModel& on)
{
    for (const auto& owned : items_)
        if (owned.get() != &on && owned->isRadio())
            owned->boolValue = false;
}

void DialogModel::end(int32_t itemId)
{
    if (hasEnded)
        return;
    hasEnded = true;
    endId = itemId;
}

// A handler that draws may make the plug-in ask for another redraw; that request is already being served.
void DialogModel::requestRedraw()
{
    static bool redrawing = false;
    if (!redrawHandler || redrawing)
        return;
    redrawing = true;
    redrawHandler();
    redrawing = false;
}

std::vector<AdmItem*> DialogModel::items() const
{
    std::vector<AdmItem*> all;
    for (const auto& owned : items_)
        all.push_back(owned.get());
    return all;
}

ItemModel* DialogModel::item(int32_t id) const
{
    for (const auto& owned : items_)
        if (owned->itemId == id)
            return owned.get();
    return nullptr;
}

AdmItem* DialogModel::itemAt(size_t creationIndex) const
{
    return creationIndex < items_.size() ? items_[creationIndex].get() : nullptr;
}

AdmItem* DialogModel::findByText(const std::string& text) const
{
    for (const auto& owned : items_)
        if (owned->label == text)
            return owned.get();
    return nullptr;
}

AdmItem* DialogModel::findByTooltip(const std::string& tooltip) const
{
    for (const auto& owned : items_)
        if (owned->tip == tooltip)
            return owned.get();
    return nullptr;
}

AdmItem* DialogModel::find(const std::string& label) const
{
    AdmItem* byTooltip = findByTooltip(label);
    return byTooltip ? byTooltip : findByText(label);
}

ItemModel* DialogModel::own(AdmItem& candidate) const
{
    for (const auto& owned : items_)
        if (static_cast<AdmItem*>(owned.get()) == &candidate)
            return owned.get();
    return nullptr;
}

} // namespace vendrel::adm
