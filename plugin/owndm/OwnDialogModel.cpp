#include <algorithm>

#include "OwnLiveObjects.h"
#include "OwnModel.h"

namespace owndm {

DialogModel::DialogModel(std::string dialogName, int32 resource) : name(std::move(dialogName)), resourceID(resource)
{
    MarkLive(this, Kind::dialog);
}

DialogModel::~DialogModel()
{
    fView = nullptr;
    fItems.clear();
    MarkDead(this);
}

DialogModel* DialogModel::FromRef(ADMDialogRef ref)
{
    return LiveObject<DialogModel>(ref, Kind::dialog);
}

int32 DialogModel::FreshID() const
{
    int32 highest = std::max(defaultID, cancelID);
    for (const auto& owned : fItems)
        highest = std::max(highest, owned->id);
    return highest + 1;
}

ItemModel& DialogModel::AddItem(int32 requestedID, const std::string& type, const ADMRect& itemBounds)
{
    const int32 itemID = (requestedID == 0 || Item(requestedID)) ? FreshID() : requestedID;
    fItems.push_back(std::make_unique<ItemModel>(*this, itemID, type, itemBounds));
    ItemModel& added = *fItems.back();
    if (fView)
        fView->ItemAdded(added);
    return added;
}

void DialogModel::DestroyItem(ItemModel& doomed)
{
    if (doomed.destroying)
        return;
    doomed.destroying = true;
    ItemModel* const address = &doomed;
    if (fView)
        fView->ItemRemoved(doomed);
    if (doomed.procs.destroy)
        doomed.procs.destroy(doomed.Ref());
    // The callback may have torn the whole dialog down; only an item still live is ours to free.
    if (!IsLive(address, Kind::item))
        return;
    const auto found =
        std::find_if(fItems.begin(), fItems.end(), [&](const auto& owned) { return owned.get() == address; });
    if (found != fItems.end())
        fItems.erase(found);
}

void DialogModel::DestroyAllItems()
{
    for (ItemModel* doomed : Items())
        if (IsLive(doomed, Kind::item))
            DestroyItem(*doomed);
}

ItemModel* DialogModel::Item(int32 itemID) const
{
    for (const auto& owned : fItems)
        if (owned->id == itemID && !owned->destroying)
            return owned.get();
    return nullptr;
}

std::vector<ItemModel*> DialogModel::Items() const
{
    std::vector<ItemModel*> all;
    for (const auto& owned : fItems)
        all.push_back(owned.get());
    return all;
}

void DialogModel::TurnOtherRadiosOff(const ItemModel& on)
{
    for (const auto& owned : fItems)
        if (owned.get() != &on && owned->kind == ItemKind::radioButton && owned->boolValue) {
            owned->boolValue = false;
            owned->Changed();
        }
}

// The local rectangle always starts at (0, 0); only its size is taken.
void DialogModel::SetLocalRect(const ADMRect& rect)
{
    frame = {0, 0, Width(rect), Height(rect)};
    if (fView)
        fView->DialogChanged();
}

void DialogModel::End(int32 itemID)
{
    if (hasEnded)
        return;
    hasEnded = true;
    endID = itemID;
    if (fView)
        fView->DialogEnded();
}

void DialogModel::Invalidate()
{
    if (fView)
        fView->DialogChanged();
}

} // namespace owndm
