#include "OwnLifecycle.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "DialogPlatform.h"
#include "OwnEvents.h"
#include "OwnLiveObjects.h"

namespace owndm {

namespace {

DialogPlatform* gPlatform = nullptr;

std::vector<std::unique_ptr<DialogModel>>& OwnedDialogs()
{
    static auto* dialogs = new std::vector<std::unique_ptr<DialogModel>>;
    return *dialogs;
}

DialogFrame FrameFor(int32 dialogID)
{
    std::optional<DialogFrame> frame = gPlatform ? gPlatform->FrameResource(dialogID) : std::nullopt;
    return frame ? *frame : DefaultDialogFrame();
}

// The frame's push buttons become items; the default one is the default item, and the first other one the
// cancel item unless an item with the cancel id is there.
void PlaceButtons(DialogModel& dialog, const DialogFrame& frame)
{
    for (const FrameButton& button : frame.buttons)
        dialog.AddItem(button.id, kADMTextPushButtonType, button.bounds).text = button.text;
    const auto isDefault = [](const FrameButton& button) { return button.isDefault; };
    const auto defaultButton = std::find_if(frame.buttons.begin(), frame.buttons.end(), isDefault);
    if (defaultButton != frame.buttons.end())
        dialog.defaultID = defaultButton->id;
    else if (!frame.buttons.empty())
        dialog.defaultID = frame.buttons.front().id;
    if (!dialog.Item(dialog.cancelID)) {
        const auto other = std::find_if_not(frame.buttons.begin(), frame.buttons.end(), isDefault);
        if (other != frame.buttons.end())
            dialog.cancelID = other->id;
    }
}

DialogModel& BuildDialog(const char* name, int32 dialogID, int32 style, ADMUserData data, bool modal)
{
    OwnedDialogs().push_back(std::make_unique<DialogModel>(name ? name : "", dialogID));
    DialogModel& dialog = *OwnedDialogs().back();
    const DialogFrame frame = FrameFor(dialogID);
    dialog.caption = frame.caption;
    dialog.fontName = frame.fontName;
    dialog.pointSize = frame.pointSize;
    dialog.frame = frame.bounds;
    dialog.style = style;
    dialog.modal = modal;
    dialog.userData = data;
    PlaceButtons(dialog, frame);
    return dialog;
}

void Release(DialogModel& dialog)
{
    auto& dialogs = OwnedDialogs();
    const auto found =
        std::find_if(dialogs.begin(), dialogs.end(), [&](const auto& owned) { return owned.get() == &dialog; });
    if (found != dialogs.end())
        dialogs.erase(found);
}

void TearDown(DialogModel& dialog, bool runDestroyCallback)
{
    if (dialog.destroying)
        return;
    dialog.destroying = true;
    DialogModel* const address = &dialog;
    dialog.DestroyAllItems();
    if (runDestroyCallback && IsLive(address, Kind::dialog) && dialog.procs.destroy)
        dialog.procs.destroy(dialog.Ref());
    if (IsLive(address, Kind::dialog))
        Release(dialog);
}

// False when the init callback failed; the dialog is gone then.
bool Initialise(DialogModel& dialog, ADMDialogInitProc init)
{
    if (!init || init(dialog.Ref()) == 0)
        return true;
    TearDown(dialog, false);
    return false;
}

// A dialog ended during its init callback is not shown. One that could not be shown, or that the window left
// without an ending item, ends with its cancel item.
int32 ShowUntilEnded(DialogModel& dialog)
{
    if (!dialog.hasEnded) {
        if (gPlatform)
            gPlatform->RunModal(dialog);
        dialog.End(dialog.cancelID);
    }
    return dialog.endID;
}

} // namespace

void InstallDialogPlatform(DialogPlatform* platform)
{
    gPlatform = platform;
}

DialogPlatform* InstalledDialogPlatform()
{
    return gPlatform;
}

DialogModel* CreateModelessDialog(const char* name, int32 dialogID, int32 style, ADMDialogInitProc init,
                                  ADMUserData data)
{
    DialogModel& dialog = BuildDialog(name, dialogID, style, data, false);
    return Initialise(dialog, init) ? &dialog : nullptr;
}

int32 RunModalDialog(const char* name, int32 dialogID, int32 style, ADMDialogInitProc init, ADMUserData data)
{
    DialogModel& dialog = BuildDialog(name, dialogID, style, data, true);
    if (!Initialise(dialog, init))
        return 0;
    DialogModel* const address = &dialog;
    const int32 endingID = ShowUntilEnded(dialog);
    if (!IsLive(address, Kind::dialog))
        return endingID;
    NotifyDialog(dialog, kADMDeactivateWindowNotifier);
    if (IsLive(address, Kind::dialog))
        TearDown(dialog, true);
    return endingID;
}

ADMItemRef CreateItem(ADMDialogRef dialogRef, int32 itemID, const char* type, const ADMRect* bounds,
                      ADMItemInitProc init, ADMUserData data)
{
    DialogModel* dialog = DialogModel::FromRef(dialogRef);
    if (!dialog || dialog->destroying || !type || !bounds || !IsOrdered(*bounds))
        return nullptr;
    ItemModel& item = dialog->AddItem(itemID, type, *bounds);
    item.userData = data;
    const ADMItemRef ref = item.Ref();
    if (init)
        init(ref);
    return ItemModel::FromRef(ref) ? ref : nullptr;
}

void DestroyDialog(DialogModel& dialog)
{
    if (dialog.modal)
        dialog.End(dialog.cancelID);
    else
        TearDown(dialog, true);
}

} // namespace owndm
