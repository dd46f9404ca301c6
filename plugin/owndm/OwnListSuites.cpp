// "ADM List Suite" and "ADM Entry Suite": the entries of a popup and the chosen one.
#include "OwnModel.h"
#include "OwnNoThrow.h"
#include "vendrel/dialogtext/EntryText.h"
#include "OwnSuites.h"

namespace owndm {

namespace {

ADMEntryRef InsertEntry(ADMListRef ref, int32 index)
{
    ListModel* list = ListModel::FromRef(ref);
    return list ? list->Insert(index).Ref() : nullptr;
}

void RemoveEntry(ADMListRef ref, int32 index)
{
    if (ListModel* list = ListModel::FromRef(ref))
        list->Remove(index);
}

ADMEntryRef IndexEntry(ADMListRef ref, int32 index)
{
    ListModel* list = ListModel::FromRef(ref);
    EntryModel* entry = list ? list->At(index) : nullptr;
    return entry ? entry->Ref() : nullptr;
}

int32 NumberOfEntries(ADMListRef ref)
{
    ListModel* list = ListModel::FromRef(ref);
    return list ? list->Count() : 0;
}

ADMEntryRef GetActiveEntry(ADMListRef ref)
{
    ListModel* list = ListModel::FromRef(ref);
    EntryModel* entry = list ? list->Active() : nullptr;
    return entry ? entry->Ref() : nullptr;
}

void SetID(ADMEntryRef ref, int32 id)
{
    if (EntryModel* entry = EntryModel::FromRef(ref))
        entry->id = id;
}

int32 GetID(ADMEntryRef ref)
{
    EntryModel* entry = EntryModel::FromRef(ref);
    return entry ? entry->id : 0;
}

void SetText(ADMEntryRef ref, const char* text)
{
    if (EntryModel* entry = EntryModel::FromRef(ref)) {
        entry->text = text ? text : "";
        entry->list.Changed();
    }
}

void GetText(ADMEntryRef ref, char* text, int32 maxLength)
{
    if (EntryModel* entry = EntryModel::FromRef(ref))
        vendrel::copyToBuffer(entry->text, text, maxLength);
}

void Select(ADMEntryRef ref, ASBoolean on)
{
    if (EntryModel* entry = EntryModel::FromRef(ref))
        entry->list.Select(*entry, on != 0);
}

ASBoolean IsSelected(ADMEntryRef ref)
{
    EntryModel* entry = EntryModel::FromRef(ref);
    return entry && entry->list.Active() == entry;
}

int32 GetIndex(ADMEntryRef ref)
{
    EntryModel* entry = EntryModel::FromRef(ref);
    return entry ? entry->list.IndexOf(entry) : -1;
}

const ADMListSuite1 kLists = {NoThrow<InsertEntry>, NoThrow<RemoveEntry>, NoThrow<IndexEntry>, NoThrow<NumberOfEntries>,
                              NoThrow<GetActiveEntry>};
const ADMEntrySuite2 kEntries = {NoThrow<SetID>,  NoThrow<GetID>,      NoThrow<SetText>, NoThrow<GetText>,
                                 NoThrow<Select>, NoThrow<IsSelected>, NoThrow<GetIndex>};

} // namespace

const ADMListSuite1* ListSuite()
{
    return &kLists;
}

const ADMEntrySuite2* EntrySuite()
{
    return &kEntries;
}

} // namespace owndm
