// The dialog manager's objects: dialogs, their items, the list of a popup and its entries. The suites hand
// the plug-in references that are the addresses of these objects; the live-object registry guards every use.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ADMTypes.h"
#include "vendrel/host/AdmDialog.h"

namespace vendrel {
class PluginModule;
}

namespace vendrel::adm {

class DialogModel;
class ItemModel;
class ListModel;

AdmRect toAdmRect(const ADMRect& rect);
ADMRect toSdkRect(const AdmRect& rect);
// A rectangle whose right and bottom edges are not before its left and top ones.
inline bool isOrdered(const ADMRect& rect)
{
    return rect.right >= rect.left && rect.bottom >= rect.top;
}

class EntryModel {
public:
    explicit EntryModel(ListModel& list);
    ~EntryModel();
    EntryModel(const EntryModel&) = delete;
    EntryModel& operator=(const EntryModel&) = delete;

    ADMEntryRef ref() { return reinterpret_cast<ADMEntryRef>(this); }
    static EntryModel* fromRef(ADMEntryRef ref);

    ListModel& list;
    int32_t id = 0;
    std::string text;
};

// The entries of a popup; exactly one of them (or none) is the active, chosen one.
class ListModel {
public:
    explicit ListModel(ItemModel& item);
    ~ListModel();
    ListModel(const ListModel&) = delete;
    ListModel& operator=(const ListModel&) = delete;

    ADMListRef ref() { return reinterpret_cast<ADMListRef>(this); }
    static ListModel* fromRef(ADMListRef ref);

    EntryModel* insert(int32_t index); // index clamped to 0..count
    void remove(int32_t index);
    EntryModel* at(int32_t index) const; // null outside 0..count-1
    int32_t count() const { return int32_t(entries_.size()); }
    int32_t indexOf(const EntryModel* entry) const; // -1 when not in this list
    void select(EntryModel& entry, bool on);
    EntryModel* active() const { return active_; }

    ItemModel& item;

private:
    std::vector<std::unique_ptr<EntryModel>> entries_;
    EntryModel* active_ = nullptr;
};

struct ItemProcs {
    ADMItemDrawProc draw = nullptr;
    ADMItemTrackProc track = nullptr;
    ADMItemNotifyProc notify = nullptr;
    ADMItemDestroyProc destroy = nullptr;
    ADMItemTextToFloatProc textToFloat = nullptr;
    ADMItemFloatToTextProc floatToText = nullptr;
};

class ItemModel final : public AdmItem {
public:
    ItemModel(DialogModel& dialog, int32_t id, std::string type, const AdmRect& bounds);
    ~ItemModel() override;
    ItemModel(const ItemModel&) = delete;
    ItemModel& operator=(const ItemModel&) = delete;

    ADMItemRef ref() { return reinterpret_cast<ADMItemRef>(this); }
    static ItemModel* fromRef(ADMItemRef ref);

    bool isType(const char* typeName) const { return type == typeName; }
    bool isEditField() const;
    bool isRadio() const;
    bool isCheckBox() const;
    bool isButton() const; // push or picture push button
    bool isUser() const;

    void setIntValue(int32_t value); // clamped to the limits
    void setMinValue(int32_t value);
    void setMaxValue(int32_t value);
    void setBooleanValue(bool on); // a radio turned on turns the dialog's other radios off
    ListModel* list();             // the popup's list, null for items that hold none
    void invalidate();

    // AdmItem
    int32_t id() const override { return itemId; }
    const std::string& typeName() const override { return type; }
    const std::string& text() const override { return label; }
    const std::string& tooltip() const override { return tip; }
    AdmRect bounds() const override { return rect; }
    bool enabled() const override { return isEnabled; }
    bool booleanValue() const override { return boolValue; }
    int32_t intValue() const override { return value; }
    int32_t minValue() const override { return minimum; }
    int32_t maxValue() const override { return maximum; }
    int32_t units() const override { return unitCode; }
    bool allowUnits() const override { return unitsAllowed; }
    std::string valueText() const override;
    int32_t pictureId() const override { return picture; }
    int32_t style() const override { return itemStyle; }
    int32_t mask() const override { return actionMask; }
    std::vector<std::string> popupEntries() const override;
    int activeEntryIndex() const override;
    int invalidationCount() const override { return invalidations; }
    bool drawsItself() const override { return procs.draw != nullptr; }

    DialogModel& dialog;
    int32_t itemId;
    std::string type;
    AdmRect rect;
    std::string label;
    std::string tip;
    int32_t picture = 0;
    std::string pictureName;
    int32_t itemStyle = 0;
    int32_t value = 0;
    int32_t minimum = INT32_MIN;
    int32_t maximum = INT32_MAX;
    int32_t unitCode = kADMNoUnits;
    bool unitsAllowed = false;
    bool boolValue = false;
    bool isEnabled = true;
    int32_t actionMask = kADMButtonDownMask | kADMButtonUpMask;
    ADMUserData userData = nullptr;
    ItemProcs procs;
    bool destroying = false;
    int invalidations = 0;

private:
    std::unique_ptr<ListModel> list_;
};

struct DialogProcs {
    ADMDialogDrawProc draw = nullptr;
    ADMDialogTrackProc track = nullptr;
    ADMDialogNotifyProc notify = nullptr;
    ADMDialogDestroyProc destroy = nullptr;
};

class DialogModel final : public AdmDialog {
public:
    DialogModel(std::string name, int32_t resourceId, const PluginModule* module);
    ~DialogModel() override;
    DialogModel(const DialogModel&) = delete;
    DialogModel& operator=(const DialogModel&) = delete;

    ADMDialogRef ref() { return reinterpret_cast<ADMDialogRef>(this); }
    static DialogModel* fromRef(ADMDialogRef ref);

    // A new item with the id asked for, or a fresh unique id when that is 0 or already taken.
    ItemModel& addItem(int32_t requestedId, const std::string& type, const AdmRect& bounds);
    // Runs the item's destroy callback once and frees it; a request for an item already being destroyed
    // does nothing.
    void destroyItem(ItemModel& item);
    void destroyAllItems();
    void turnOtherRadiosOff(const ItemModel& on);
    void end(int32_t itemId);
    void requestRedraw();

    // AdmDialog
    const std::string& name() const override { return dialogName; }
    int32_t resourceId() const override { return dialogId; }
    const std::string& caption() const override { return captionText; }
    AdmRect localRect() const override { return frame; }
    int32_t defaultItemId() const override { return defaultId; }
    int32_t cancelItemId() const override { return cancelId; }
    std::vector<AdmItem*> items() const override;
    AdmItem* itemById(int32_t id) const override { return item(id); }
    AdmItem* itemAt(size_t creationIndex) const override;
    AdmItem* findByText(const std::string& text) const override;
    AdmItem* findByTooltip(const std::string& tooltip) const override;
    AdmItem* find(const std::string& label) const override;
    bool click(AdmItem& item) override;
    bool typeText(AdmItem& item, const std::string& text) override;
    bool choosePopupEntry(AdmItem& item, int index) override;
    bool choosePopupEntry(AdmItem& item, const std::string& entryText) override;
    bool pressOK() override;
    bool pressCancel() override;
    bool ended() const override { return hasEnded; }
    int32_t endingId() const override { return endId; }
    std::vector<AdmDrawOp> recordDrawing(AdmItem& item) override;
    void setRedrawHandler(std::function<void()> handler) override { redrawHandler = std::move(handler); }

    ItemModel* item(int32_t id) const;
    const std::vector<std::unique_ptr<ItemModel>>& ownedItems() const { return items_; }
    // The item behind a front end's reference, when it belongs to this dialog and is live.
    ItemModel* own(AdmItem& item) const;

    std::string dialogName;
    int32_t dialogId;
    const PluginModule* module; // where its dialog and bitmap resources come from; may be null
    std::string captionText;
    AdmRect frame{0, 0, 300, 200};
    int32_t defaultId = 1;
    int32_t cancelId = 2;
    int32_t style = 0;
    ADMUserData userData = nullptr;
    DialogProcs procs;
    bool modal = false;
    bool running = false; // inside the front end's modal loop
    bool hasEnded = false;
    int32_t endId = 0;
    bool destroying = false;
    int invalidations = 0;
    std::function<void()> redrawHandler;

private:
    int32_t freshId() const;
    std::vector<std::unique_ptr<ItemModel>> items_;
};

} // namespace vendrel::adm
