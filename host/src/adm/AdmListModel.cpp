#include <algorithm>

#include "AdmLiveObjects.h"
#include "AdmModel.h"

namespace vendrel::adm {

EntryModel::EntryModel(ListModel& owner) : list(owner)
{
    markLive(this, Kind::entry);
}

EntryModel::~EntryModel()
{
    markDead(this);
}

EntryModel* EntryModel::fromRef(ADMEntryRef ref)
{
    return liveModel<EntryModel>(ref, Kind::entry);
}

ListModel::ListModel(ItemModel& owner) : item(owner)
{
    markLive(this, Kind::list);
}

ListModel::~ListModel()
{
    markDead(this);
}

ListModel* ListModel::fromRef(ADMListRef ref)
{
    return liveModel<ListModel>(ref, Kind::list);
}

EntryModel* ListModel::insert(int32_t index)
{
    const int32_t at = std::clamp(index, 0, count());
    auto entry = std::make_unique<EntryModel>(*this);
    EntryModel* inserted = entry.get();
    entries_.insert(entries_.begin() + at, std::move(entry));
    return inserted;
}

void ListModel::remove(int32_t index)
{
    EntryModel* entry = at(index);
    if (!entry)
        return;
    if (active_ == entry)
        active_ = nullptr;
    entries_.erase(entries_.begin() + index);
}

EntryModel* ListModel::at(int32_t index) const
{
    return index >= 0 && index < count() ? entries_[size_t(index)].get() : nullptr;
}

int32_t ListModel::indexOf(const EntryModel* entry) const
{
    for (int32_t i = 0; entry && i < count(); ++i)
        if (entries_[size_t(i)].get() == entry)
            return i;
    return -1;
}

// A popup shows one chosen entry: selecting one replaces the previous choice.
void ListModel::select(EntryModel& entry, bool on)
{
    if (on)
        active_ = &entry;
    else if (active_ == &entry)
        active_ = nullptr;
}

} // namespace vendrel::adm
