#include <algorithm>

#include "OwnLiveObjects.h"
#include "OwnModel.h"

namespace owndm {

EntryModel::EntryModel(ListModel& owner) : list(owner)
{
    MarkLive(this, Kind::entry);
}

EntryModel::~EntryModel()
{
    MarkDead(this);
}

EntryModel* EntryModel::FromRef(ADMEntryRef ref)
{
    return LiveObject<EntryModel>(ref, Kind::entry);
}

ListModel::ListModel(ItemModel& owner) : item(owner)
{
    MarkLive(this, Kind::list);
}

ListModel::~ListModel()
{
    MarkDead(this);
}

ListModel* ListModel::FromRef(ADMListRef ref)
{
    return LiveObject<ListModel>(ref, Kind::list);
}

EntryModel& ListModel::Insert(int32 index)
{
    const int32 at = std::clamp(index, 0, Count());
    auto entry = std::make_unique<EntryModel>(*this);
    EntryModel& inserted = *entry;
    fEntries.insert(fEntries.begin() + at, std::move(entry));
    Changed();
    return inserted;
}

void ListModel::Remove(int32 index)
{
    EntryModel* entry = At(index);
    if (!entry)
        return;
    if (fActive == entry)
        fActive = nullptr;
    fEntries.erase(fEntries.begin() + index);
    Changed();
}

EntryModel* ListModel::At(int32 index) const
{
    return index >= 0 && index < Count() ? fEntries[size_t(index)].get() : nullptr;
}

int32 ListModel::IndexOf(const EntryModel* entry) const
{
    for (int32 i = 0; entry && i < Count(); ++i)
        if (fEntries[size_t(i)].get() == entry)
            return i;
    return -1;
}

void ListModel::Select(EntryModel& entry, bool on)
{
    if (on)
        fActive = &entry;
    else if (fActive == &entry)
        fActive = nullptr;
    Changed();
}

void ListModel::Changed()
{
    item.Changed();
}

} // namespace owndm
