#include "AdmLifecycle.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "AdmEvents.h"
#include "AdmLiveObjects.h"
#include "AdmResources.h"
#include "HostContext.h"
#include "vendrel/host/FrontEnd.h"

namespace vendrel::adm {

namespace {

std::vector<std::unique_ptr<DialogModel>>& ownedDialogs()
{
    static std::vector<std::unique_ptr<DialogModel>> dialogs;
    return dialogs;
}

const PluginModule* currentModule()
{
    const HostContext* context = currentHostContext();
    return context ? context->module : nullptr;
}

void placeButtons(DialogModel& dialog, const DialogLayout& layout)
{
    for (const DialogButton& button : layout.buttons) {
        ItemModel& item = dialog.addItem(button.id, kADMTextPushButtonType, button.bounds);
        item.label = button.text;
    }
    const auto isDefault = [](const DialogButton& button) { return button.isDefault; };
    const auto defaultButton = std::find_if(layout.buttons.begin(), layout.buttons.end(), isDefault);
    if (defaultButton != layout.buttons.end())
        dialog.defaultId = defaultButton->id;
    else if (!layout.buttons.empty())
        dialog.defaultId = layout.buttons.front().id;
    if (!dialog.item(dialog.cancelId)) {
        const auto other = std::find_if_not(layout.buttons.begin(), layout.buttons.end(), isDefault);
        if (other != layout.buttons.end())
            dialog.cancelId = other->id;
    }
}

DialogModel& buildDialog(const char* name, int32_t dialogId, int32_t style, ADMUserData userData, bool modal)
{
    const PluginModule* module = currentModule();
    ownedDialogs().push_back(std::make_unique<DialogModel>(name ? name : "", dialogId, module));
    DialogModel& dialog = *ownedDialogs().back();
    const DialogLayout layout = dialogLayoutFor(module, dialogId);
    dialog.captionText = layout.caption;
    dialog.frame = layout.frame;
    dialog.style = style;
    dialog.modal = modal;
    dialog.userData = userData;
    placeButtons(dialog, layout);
    return dialog;
}

void release(DialogModel& dialog)
{
    auto& dialogs = ownedDialogs();
    const auto found =
        std::find_if(dialogs.begin(), dialogs.end(), [&](const auto& owned) { return owned.get() == &dialog; });
    if (found != dialogs.end())
        dialogs.erase(found);
}

void tearDown(DialogModel& dialog, bool runDestroyCallback)
{
    if (dialog.destroying)
        return;
    dialog.destroying = true;
    DialogModel* const address = &dialog;
    dialog.destroyAllItems();
    if (runDestroyCallback && dialog.procs.destroy)
        dialog.procs.destroy(dialog.ref());
    if (isLive(address, Kind::dialog))
        release(dialog);
}

// False when the init callback failed; the dialog is gone then.
bool initialise(DialogModel& dialog, ADMDialogInitProc init)
{
    if (!init || init(dialog.ref()) == 0)
        return true;
    tearDown(dialog, false);
    return false;
}

int32_t driveModalLoop(DialogModel& dialog)
{
    HostContext* context = currentHostContext();
    FrontEnd fallback; // presses OK
    FrontEnd& frontEnd = context && context->frontEnd ? *context->frontEnd : fallback;
    dialog.running = true;
    const int32_t answer = dialog.hasEnded ? dialog.endId : frontEnd.runModal(dialog);
    dialog.running = false;
    return dialog.hasEnded ? dialog.endId : answer;
}

} // namespace

DialogModel* createDialog(const char* name, int32_t dialogId, int32_t style, ADMDialogInitProc init,
                          ADMUserData userData)
{
    DialogModel& dialog = buildDialog(name, dialogId, style, userData, false);
    return initialise(dialog, init) ? &dialog : nullptr;
}

int32_t runModalDialog(const char* name, int32_t dialogId, int32_t style, ADMDialogInitProc init, ADMUserData userData)
{
    DialogModel& dialog = buildDialog(name, dialogId, style, userData, true);
    if (!initialise(dialog, init))
        return 0;
    const int32_t endingId = driveModalLoop(dialog);
    notifyDialog(dialog, kADMDeactivateWindowNotifier);
    tearDown(dialog, true);
    return endingId;
}

ItemModel* createItem(DialogModel& dialog, int32_t itemId, const char* type, const ADMRect& bounds,
                      ADMItemInitProc init, ADMUserData userData)
{
    if (dialog.destroying)
        return nullptr;
    ItemModel& item = dialog.addItem(itemId, type, toAdmRect(bounds));
    item.userData = userData;
    ADMItemRef ref = item.ref();
    if (init)
        init(ref);
    return ItemModel::fromRef(ref);
}

ADMItemRef createItem(ADMDialogRef dialogRef, int32_t itemId, const char* type, const ADMRect* bounds,
                      ADMItemInitProc init, ADMUserData userData)
{
    DialogModel* dialog = DialogModel::fromRef(dialogRef);
    if (!dialog || !type || !bounds)
        return nullptr;
    ItemModel* item = createItem(*dialog, itemId, type, *bounds, init, userData);
    return item ? item->ref() : nullptr;
}

void destroyDialog(DialogModel& dialog)
{
    if (dialog.modal)
        dialog.end(dialog.cancelId);
    else
        tearDown(dialog, true);
}

} // namespace vendrel::adm
