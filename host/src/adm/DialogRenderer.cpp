#include "vendrel/host/DialogRenderer.h"

#include <algorithm>
#include <cmath>

#include "AdmDrawer.h"
#include "AdmLiveObjects.h"
#include "AdmModel.h"
#include "AdmResources.h"
#include "AdmTextPainter.h"
#include "ImageCodecs.h"
#include "vendrel/host/PendingFile.h"
#include "vendrel/host/PluginModule.h"

namespace vendrel {

RgbRaster::RgbRaster(int32_t w, int32_t h, uint8_t red, uint8_t green, uint8_t blue)
    : width(std::max(w, 0)), height(std::max(h, 0)), pixels(size_t(width) * size_t(height) * 3)
{
    for (size_t i = 0; i < pixels.size(); i += 3) {
        pixels[i] = red;
        pixels[i + 1] = green;
        pixels[i + 2] = blue;
    }
}

namespace {

using adm::DialogModel;
using adm::DrawerModel;
using adm::ItemModel;
using adm::Rgb8;

constexpr Rgb8 kBackground{240, 240, 240};
constexpr Rgb8 kText{0, 0, 0};
constexpr Rgb8 kDisabledText{128, 128, 128};
constexpr Rgb8 kFieldFace{255, 255, 255};
constexpr Rgb8 kFieldBorder{122, 122, 122};
constexpr Rgb8 kButtonFace{225, 225, 225};
constexpr Rgb8 kButtonBorder{173, 173, 173};
constexpr Rgb8 kDefaultBorder{0, 120, 215};
constexpr Rgb8 kEtchShadow{160, 160, 160};
constexpr Rgb8 kEtchLight{255, 255, 255};
constexpr Rgb8 kDialogBorder{100, 100, 100};
constexpr int32_t kMarkSize = 13; // check boxes and radio buttons
constexpr int32_t kLabelGap = 5;

// Paints one item's standard look into its rectangle; local coordinates run from the item's corner.
class ItemPainter {
public:
    ItemPainter(RgbRaster& raster, ItemModel& item)
        : raster_(raster), item_(item), rect_(item.rect), drawer_(raster, item.rect)
    {
    }

    void paint()
    {
        if (item_.isType(kADMTextStaticType))
            label(item_.label, 0, true);
        else if (item_.isEditField())
            editField();
        else if (item_.isCheckBox())
            checkBox();
        else if (item_.isRadio())
            radio();
        else if (item_.isType(kADMPopupListType))
            popup();
        else if (item_.isType(kADMFrameType))
            frame();
        else if (item_.isType(kADMTextPushButtonType))
            pushButton();
        else if (item_.isType(kADMPicturePushButtonType))
            pictureButton();
    }

private:
    int32_t width() const { return rect_.width(); }
    int32_t height() const { return rect_.height(); }
    Rgb8 ink() const { return item_.isEnabled ? kText : kDisabledText; }

    void fill(Rgb8 color, const AdmRect& local)
    {
        drawer_.setColor(color);
        drawer_.fill(local);
    }

    void outline(Rgb8 color, const AdmRect& local)
    {
        drawer_.setColor(color);
        drawer_.frame(local);
    }

    // Text at (x, y) of the item; wrapped to the item's width when asked, else vertically centred.
    void label(const std::string& text, int32_t x, bool wrapped)
    {
        const adm::TextMask mask = adm::renderText(text, wrapped ? width() - x : 0);
        const int32_t y = wrapped ? 0 : (height() - mask.height) / 2;
        adm::paintText(raster_, mask, rect_.left + x, rect_.top + y, rect_, ink());
    }

    void centredLabel(const std::string& text)
    {
        const adm::TextMask mask = adm::renderText(text, 0);
        adm::paintText(raster_, mask, rect_.left + (width() - mask.width) / 2, rect_.top + (height() - mask.height) / 2,
                       rect_, ink());
    }

    void editField()
    {
        fill(item_.isEnabled ? kFieldFace : kBackground, {0, 0, width(), height()});
        outline(kFieldBorder, {0, 0, width(), height()});
        label(item_.valueText(), 4, false);
    }

    AdmRect markBox() const
    {
        const int32_t top = (height() - kMarkSize) / 2;
        return {0, top, kMarkSize, top + kMarkSize};
    }

    void checkBox()
    {
        const AdmRect box = markBox();
        fill(item_.isEnabled ? kFieldFace : kBackground, box);
        outline(item_.isEnabled ? kText : kDisabledText, box);
        if (item_.boolValue)
            checkMark(box);
        label(item_.label, kMarkSize + kLabelGap, false);
    }

    // A tick: down from the left, then up to the right, two pixels thick.
    void checkMark(const AdmRect& box)
    {
        drawer_.setColor(ink());
        const int32_t x = box.left + 3;
        const int32_t y = box.top + 6;
        for (int32_t step = 0; step < 3; ++step)
            drawer_.fill({x + step, y + step, x + step + 1, y + step + 2});
        for (int32_t step = 0; step < 5; ++step)
            drawer_.fill({x + 3 + step, y + 1 - step, x + 4 + step, y + 3 - step});
    }

    void radio()
    {
        const AdmRect box = markBox();
        const double centre = (kMarkSize - 1) / 2.0;
        for (int32_t y = 0; y < kMarkSize; ++y)
            for (int32_t x = 0; x < kMarkSize; ++x) {
                const double distance = std::hypot(x - centre, y - centre);
                if (distance > centre + 0.5)
                    continue;
                const bool ring = distance > centre - 0.7;
                const bool dot = item_.boolValue && distance <= 2.6;
                const Rgb8 color = ring || dot ? ink() : (item_.isEnabled ? kFieldFace : kBackground);
                fill(color, {box.left + x, box.top + y, box.left + x + 1, box.top + y + 1});
            }
        label(item_.label, kMarkSize + kLabelGap, false);
    }

    void popup()
    {
        fill(item_.isEnabled ? kFieldFace : kBackground, {0, 0, width(), height()});
        outline(kFieldBorder, {0, 0, width(), height()});
        const std::vector<std::string> entries = item_.popupEntries();
        const int active = item_.activeEntryIndex();
        if (active >= 0)
            label(entries[size_t(active)], 4, false);
        arrow(width() - 12, height() / 2 - 2);
    }

    // A small triangle pointing down, its top edge 7 pixels wide.
    void arrow(int32_t left, int32_t top)
    {
        drawer_.setColor(ink());
        for (int32_t row = 0; row < 4; ++row)
            drawer_.fill({left + row, top + row, left + 7 - row, top + row + 1});
    }

    // A thin frame is an etched separator line; a larger one an etched rectangle.
    void frame()
    {
        if (height() <= 2) {
            fill(kEtchShadow, {0, 0, width(), 1});
            fill(kEtchLight, {0, 1, width(), 2});
        } else if (width() <= 2) {
            fill(kEtchShadow, {0, 0, 1, height()});
            fill(kEtchLight, {1, 0, 2, height()});
        } else {
            outline(kEtchLight, {1, 1, width(), height()});
            outline(kEtchShadow, {0, 0, width() - 1, height() - 1});
        }
    }

    void pushButton()
    {
        fill(kButtonFace, {0, 0, width(), height()});
        const bool isDefault = item_.itemId == item_.dialog.defaultId;
        outline(isDefault && item_.isEnabled ? kDefaultBorder : kButtonBorder, {0, 0, width(), height()});
        if (isDefault && item_.isEnabled)
            outline(kDefaultBorder, {1, 1, width() - 1, height() - 1});
        centredLabel(item_.label);
    }

    void pictureButton()
    {
        const std::optional<adm::Picture> picture = adm::pictureFor(item_.dialog.module, item_.picture);
        if (!picture) {
            fill(kButtonFace, {0, 0, width(), height()});
            outline(kButtonBorder, {0, 0, width(), height()});
            return;
        }
        const int32_t left = (width() - picture->width) / 2;
        const int32_t top = (height() - picture->height) / 2;
        for (int32_t y = 0; y < picture->height; ++y)
            for (int32_t x = 0; x < picture->width; ++x) {
                const uint8_t* source = &picture->rgb[(size_t(y) * size_t(picture->width) + size_t(x)) * 3];
                Rgb8 color{source[0], source[1], source[2]};
                if (!item_.isEnabled)
                    color = {uint8_t((color.red + 2 * kBackground.red) / 3),
                             uint8_t((color.green + 2 * kBackground.green) / 3),
                             uint8_t((color.blue + 2 * kBackground.blue) / 3)};
                fill(color, {left + x, top + y, left + x + 1, top + y + 1});
            }
    }

    RgbRaster& raster_;
    ItemModel& item_;
    AdmRect rect_;
    DrawerModel drawer_;
};

// An item that draws itself gets a drawer bound to the raster; its DefaultDraw paints the standard look.
void drawItem(RgbRaster& raster, ItemModel& item)
{
    if (!item.procs.draw) {
        ItemPainter(raster, item).paint();
        return;
    }
    DrawerModel drawer(raster, item.rect);
    drawer.drawDefault = [&raster, &item] { ItemPainter(raster, item).paint(); };
    adm::ScopedLive live(&drawer, adm::Kind::drawer);
    item.procs.draw(item.ref(), drawer.ref());
}

// The dialog's own draw callback paints over the background, before the items.
void drawBackground(RgbRaster& raster, DialogModel& dialog)
{
    if (!dialog.procs.draw)
        return;
    DrawerModel drawer(raster, {0, 0, raster.width, raster.height});
    adm::ScopedLive live(&drawer, adm::Kind::drawer);
    dialog.procs.draw(dialog.ref(), drawer.ref());
}

void drawBorder(RgbRaster& raster)
{
    DrawerModel drawer(raster, {0, 0, raster.width, raster.height});
    drawer.setColor(kDialogBorder);
    drawer.frame({0, 0, raster.width, raster.height});
}

DialogModel& modelOf(AdmDialog& dialog)
{
    auto* model = dynamic_cast<DialogModel*>(&dialog);
    if (!model)
        throw HostError("the dialog renderer draws only dialogs of the host's dialog manager");
    return *model;
}

} // namespace

RgbRaster renderDialog(AdmDialog& dialog)
{
    DialogModel& model = modelOf(dialog);
    RgbRaster raster(model.frame.width(), model.frame.height(), kBackground.red, kBackground.green, kBackground.blue);
    drawBackground(raster, model);
    if (!adm::isLive(&model, adm::Kind::dialog))
        return raster;
    std::vector<ItemModel*> items;
    for (const auto& owned : model.ownedItems())
        items.push_back(owned.get());
    for (ItemModel* item : items)
        if (adm::isLive(item, adm::Kind::item))
            drawItem(raster, *item);
    drawBorder(raster);
    return raster;
}

void writePng(const RgbRaster& raster, const std::string& path)
{
    if (raster.width <= 0 || raster.height <= 0)
        throw HostError("cannot write an empty dialog picture to " + path);
    // Written beside the file and renamed into place; the name is taken literally.
    PendingFile file(path);
    imageCodecs().writeRgbPng(raster, file);
    file.commit();
}

void renderDialogToPng(AdmDialog& dialog, const std::string& path)
{
    writePng(renderDialog(dialog), path);
}

} // namespace vendrel
