// "ADM List Suite" and "ADM Entry Suite": the entries of a popup and the chosen one.
#include "AdmModel.h"
#include "AdmSuites.h"
#include "vendrel/dialogtext/EntryText.h"
#include "NoThrow.h"

namespace vendrel::adm {

namespace {

ADMEntryRef insertEntry(ADMListRef ref, int32 index)
{
    ListModel* list = ListModel::fromRef(ref);
    return list ? list->insert(index)->ref() : nullptr;
}

void removeEntry(ADMListRef ref, int32 index)
{
    if (ListModel* list = ListModel::fromRef(ref))
        list->remove(index);
}

ADMEntryRef indexEntry(ADMListRef ref, int32 index)
{
    ListModel* list = ListModel::fromRef(ref);
    EntryModel* entry = list ? list->at(index) : nullptr;
    return entry ? entry->ref() : nullptr;
}

int32 numberOfEntries(ADMListRef ref)
{
    ListModel* list = ListModel::fromRef(ref);
    return list ? list->count() : 0;
}

ADMEntryRef getActiveEntry(ADMListRef ref)
{
    ListModel* list = ListModel::fromRef(ref);
    EntryModel* entry = list ? list->active() : nullptr;
    return entry ? entry->ref() : nullptr;
}

void setID(ADMEntryRef ref, int32 id)
{
    if (EntryModel* entry = EntryModel::fromRef(ref))
        entry->id = id;
}

int32 getID(ADMEntryRef ref)
{
    EntryModel* entry = EntryModel::fromRef(ref);
    return entry ? entry->id : 0;
}

void setText(ADMEntryRef ref, const char* text)
{
    if (EntryModel* entry = EntryModel::fromRef(ref))
        entry->text = text ? text : "";
}

void getText(ADMEntryRef ref, char* text, int32 maxLength)
{
    if (EntryModel* entry = EntryModel::fromRef(ref))
        copyToBuffer(entry->text, text, maxLength);
}

void select(ADMEntryRef ref, ASBoolean on)
{
    if (EntryModel* entry = EntryModel::fromRef(ref))
        entry->list.select(*entry, on != 0);
}

ASBoolean isSelected(ADMEntryRef ref)
{
    EntryModel* entry = EntryModel::fromRef(ref);
    return entry && entry->list.active() == entry;
}

int32 getIndex(ADMEntryRef ref)
{
    EntryModel* entry = EntryModel::fromRef(ref);
    return entry ? entry->list.indexOf(entry) : -1;
}

const ADMListSuite1 lists = {noThrow<insertEntry>, noThrow<removeEntry>, noThrow<indexEntry>, noThrow<numberOfEntries>,
                             noThrow<getActiveEntry>};
const ADMEntrySuite2 entries = {noThrow<setID>,  noThrow<getID>,      noThrow<setText>, noThrow<getText>,
                                noThrow<select>, noThrow<isSelected>, noThrow<getIndex>};

} // namespace

const ADMListSuite1* listSuite()
{
    return &lists;
}

const ADMEntrySuite2* entrySuite()
{
    return &entries;
}

} // namespace vendrel::adm
