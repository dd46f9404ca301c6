// A dialog of the host's dialog manager as a front end sees it: its items and their state, and the user's
// actions (clicks, typing, popup choices, OK and Cancel). The dialog manager owns every dialog and item; a
// front end only borrows them while the host runs a dialog.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vendrel {

// A rectangle in pixels, left and top inclusive, right and bottom exclusive.
struct AdmRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool operator==(const AdmRect&) const = default;
};

// One drawing operation a custom item made while no raster was bound to its drawer.
struct AdmDrawOp {
    enum class Kind { frame, fill };
    Kind kind = Kind::frame;
    AdmRect rect;    // in the item's own coordinates
    uint8_t red = 0; // the drawing colour at the time of the operation
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const AdmDrawOp&) const = default;
};

class AdmItem {
public:
    virtual ~AdmItem() = default;

    virtual int32_t id() const = 0;
    virtual const std::string& typeName() const = 0; // "ADM Text Check Box Type", ...
    virtual const std::string& text() const = 0;     // label or caption
    virtual const std::string& tooltip() const = 0;
    virtual AdmRect bounds() const = 0; // in the dialog's coordinates
    virtual bool enabled() const = 0;
    virtual bool booleanValue() const = 0; // checked / on
    virtual int32_t intValue() const = 0;
    virtual int32_t minValue() const = 0;
    virtual int32_t maxValue() const = 0;
    virtual int32_t units() const = 0;
    virtual bool allowUnits() const = 0;
    // The value as the field shows it, through the item's number-to-text callback when it has one.
    virtual std::string valueText() const = 0;
    virtual int32_t pictureId() const = 0; // 0: no picture
    virtual int32_t style() const = 0;
    virtual int32_t mask() const = 0;                          // the tracker actions the item is given
    virtual std::vector<std::string> popupEntries() const = 0; // empty unless the item holds a list
    virtual int activeEntryIndex() const = 0;                  // -1 when no entry is chosen
    virtual int invalidationCount() const = 0;                 // redraw requests so far
    virtual bool drawsItself() const = 0;                      // a draw callback is installed
};

class AdmDialog {
public:
    virtual ~AdmDialog() = default;

    virtual const std::string& name() const = 0; // the name the plug-in created it with
    virtual int32_t resourceId() const = 0;
    virtual const std::string& caption() const = 0; // from the dialog resource
    virtual AdmRect localRect() const = 0;          // (0, 0, width, height)
    virtual int32_t defaultItemId() const = 0;
    virtual int32_t cancelItemId() const = 0;

    // Items in creation order: the resource's buttons first, then the plug-in's items.
    virtual std::vector<AdmItem*> items() const = 0;
    virtual AdmItem* itemById(int32_t id) const = 0;
    virtual AdmItem* itemAt(size_t creationIndex) const = 0;
    virtual AdmItem* findByText(const std::string& text) const = 0;
    virtual AdmItem* findByTooltip(const std::string& tooltip) const = 0;
    // Tooltip first, then text: the way a script names an item.
    virtual AdmItem* find(const std::string& label) const = 0;

    // The user's actions. Each answers false (and changes nothing) when the item cannot take it: disabled,
    // of another type, or an entry or text that does not fit.
    // Check box: toggles; radio: turns on (the others off); push and picture buttons: "ADM User Changed
    // Notifier"; custom item: button down and up through its track callback, then the notification when the
    // track answered true.
    virtual bool click(AdmItem& item) = 0;
    // Edit field: converts the text to a number (the item's text-to-number callback or the default parse),
    // clamps it to the limits and stores it as an integer, then notifies.
    virtual bool typeText(AdmItem& item, const std::string& text) = 0;
    virtual bool choosePopupEntry(AdmItem& item, int index) = 0;
    virtual bool choosePopupEntry(AdmItem& item, const std::string& entryText) = 0;
    // Clicks the default (OK) or the cancel item through the same notification path as a click.
    virtual bool pressOK() = 0;
    virtual bool pressCancel() = 0;

    virtual bool ended() const = 0;
    virtual int32_t endingId() const = 0; // 0 until the dialog has ended

    // Draws a custom item through its draw callback with a recording drawer and returns what it drew.
    virtual std::vector<AdmDrawOp> recordDrawing(AdmItem& item) = 0;
    // Called after every redraw request of the dialog or one of its items (a renderer re-draws from here).
    virtual void setRedrawHandler(std::function<void()> handler) = 0;
};

// While an item's notification is being handled (a click on a custom item such as a colour swatch): the colour
// the item fills last when it draws itself, which is the colour a swatch shows; nothing otherwise, or for an item
// that fills nothing.
std::optional<std::array<uint8_t, 3>> colourShownByNotifyingItem();

} // namespace vendrel
