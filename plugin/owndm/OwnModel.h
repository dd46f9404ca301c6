// The own dialog manager's objects: dialogs, their items, the list of a popup and its entries. The suites hand
// the plug-in references that are the addresses of these objects; the live-object registry guards every use.
// The model holds every value; a window that shows a dialog (a DialogView) is told of each change.
#pragma once

#include <climits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ADMTypes.h"

namespace owndm {

class DialogModel;
class ItemModel;
class ListModel;

// The item types the dialog manager knows by their type names; anything else is shown as nothing.
enum class ItemKind {
    user,
    textStatic,
    textEdit,
    checkBox,
    radioButton,
    popupList,
    frame,
    picturePushButton,
    textPushButton,
    unknown
};

ItemKind KindOfType(const std::string& typeName);

inline bool IsOrdered(const ADMRect& rect)
{
    return rect.right >= rect.left && rect.bottom >= rect.top;
}

inline int32 Width(const ADMRect& rect)
{
    return rect.right - rect.left;
}

inline int32 Height(const ADMRect& rect)
{
    return rect.bottom - rect.top;
}

// What the window showing a dialog learns of changes to the model.
class DialogView {
public:
    virtual void ItemAdded(ItemModel& item) = 0;
    virtual void ItemRemoved(ItemModel& item) = 0;
    // Any value, text, list, bounds or enabled state of the item may have changed.
    virtual void ItemChanged(ItemModel& item) = 0;
    // The item's look must be drawn again.
    virtual void ItemInvalidated(ItemModel& item) = 0;
    // The dialog's size changed or it must be drawn again.
    virtual void DialogChanged() = 0;
    // The dialog has its ending item: the modal run is over.
    virtual void DialogEnded() = 0;

protected:
    ~DialogView() = default;
};

class EntryModel {
public:
    explicit EntryModel(ListModel& list);
    ~EntryModel();
    EntryModel(const EntryModel&) = delete;
    EntryModel& operator=(const EntryModel&) = delete;

    ADMEntryRef Ref() { return reinterpret_cast<ADMEntryRef>(this); }
    static EntryModel* FromRef(ADMEntryRef ref);

    ListModel& list;
    int32 id = 0;
    std::string text;
};

// The entries of a popup; exactly one of them (or none) is the active, chosen one.
class ListModel {
public:
    explicit ListModel(ItemModel& item);
    ~ListModel();
    ListModel(const ListModel&) = delete;
    ListModel& operator=(const ListModel&) = delete;

    ADMListRef Ref() { return reinterpret_cast<ADMListRef>(this); }
    static ListModel* FromRef(ADMListRef ref);

    EntryModel& Insert(int32 index); // index held to 0..count
    void Remove(int32 index);
    EntryModel* At(int32 index) const; // null outside 0..count-1
    int32 Count() const { return int32(fEntries.size()); }
    int32 IndexOf(const EntryModel* entry) const; // -1 when not in this list
    // A popup shows one chosen entry: selecting one replaces the previous choice.
    void Select(EntryModel& entry, bool on);
    EntryModel* Active() const { return fActive; }
    int32 ActiveIndex() const { return IndexOf(fActive); }
    // An entry's text or the list's contents changed: the popup shows them again.
    void Changed();

    ItemModel& item;

private:
    std::vector<std::unique_ptr<EntryModel>> fEntries;
    EntryModel* fActive = nullptr;
};

struct ItemProcs {
    ADMItemDrawProc draw = nullptr;
    ADMItemTrackProc track = nullptr;
    ADMItemNotifyProc notify = nullptr;
    ADMItemDestroyProc destroy = nullptr;
    ADMItemTextToFloatProc textToFloat = nullptr;
    ADMItemFloatToTextProc floatToText = nullptr;
};

class ItemModel {
public:
    ItemModel(DialogModel& dialog, int32 id, std::string type, const ADMRect& bounds);
    ~ItemModel();
    ItemModel(const ItemModel&) = delete;
    ItemModel& operator=(const ItemModel&) = delete;

    ADMItemRef Ref() { return reinterpret_cast<ADMItemRef>(this); }
    static ItemModel* FromRef(ADMItemRef ref);

    void SetIntValue(int32 newValue); // held to the limits
    void SetMinValue(int32 newMinimum);
    void SetMaxValue(int32 newMaximum);
    void SetBooleanValue(bool on); // a radio button turned on turns the dialog's other radio buttons off
    void SetEnabled(bool on);
    void SetBounds(const ADMRect& newBounds);
    void SetText(const std::string& newText);
    ListModel* List() { return fList.get(); }
    // The number the text of an entry field stands for: the item's own conversion, else the default one.
    std::optional<float> NumberOfText(const std::string& fieldText);
    // An entry field's value as it shows: the item's own conversion, else the default one.
    std::string ValueText();
    // Tells the window showing the dialog that this item changed, or that it must be drawn again.
    void Changed();
    void Invalidate();

    DialogModel& dialog;
    const int32 id;
    const std::string type;
    const ItemKind kind;
    ADMRect bounds;
    std::string text;
    std::string tip;
    int32 picture = 0;
    int32 style = 0;
    int32 value = 0;
    int32 minimum = INT32_MIN;
    int32 maximum = INT32_MAX;
    int32 units = kADMNoUnits;
    bool allowUnits = false;
    bool boolValue = false;
    bool enabled = true;
    int32 mask = kADMButtonDownMask | kADMButtonUpMask;
    ADMUserData userData = nullptr;
    ItemProcs procs;
    bool destroying = false;

private:
    std::unique_ptr<ListModel> fList;
};

struct DialogProcs {
    ADMDialogDrawProc draw = nullptr;
    ADMDialogTrackProc track = nullptr;
    ADMDialogNotifyProc notify = nullptr;
    ADMDialogDestroyProc destroy = nullptr;
};

class DialogModel {
public:
    DialogModel(std::string name, int32 resourceID);
    ~DialogModel();
    DialogModel(const DialogModel&) = delete;
    DialogModel& operator=(const DialogModel&) = delete;

    ADMDialogRef Ref() { return reinterpret_cast<ADMDialogRef>(this); }
    static DialogModel* FromRef(ADMDialogRef ref);

    // A new item with the id asked for, or a fresh unique id when that is 0 or already taken.
    ItemModel& AddItem(int32 requestedID, const std::string& type, const ADMRect& itemBounds);
    // Runs the item's destroy callback once and frees the item; a request for an item already being destroyed
    // does nothing.
    void DestroyItem(ItemModel& item);
    void DestroyAllItems();
    ItemModel* Item(int32 itemID) const;
    // The live items in the order they were made.
    std::vector<ItemModel*> Items() const;
    void TurnOtherRadiosOff(const ItemModel& on);
    void SetLocalRect(const ADMRect& rect);
    // Records the ending item of a modal dialog (the first request wins) and tells the window.
    void End(int32 itemID);
    void Invalidate();

    void AttachView(DialogView* newView) { fView = newView; }
    DialogView* View() const { return fView; }

    const std::string name;
    const int32 resourceID;
    std::string caption;
    std::string fontName;
    int32 pointSize = 8;
    ADMRect frame{0, 0, 300, 200};
    int32 defaultID = 1;
    int32 cancelID = 2;
    int32 style = 0;
    ADMUserData userData = nullptr;
    DialogProcs procs;
    bool modal = false;
    bool hasEnded = false;
    int32 endID = 0;
    bool destroying = false;

private:
    int32 FreshID() const;

    DialogView* fView = nullptr;
    std::vector<std::unique_ptr<ItemModel>> fItems;
};

} // namespace owndm
